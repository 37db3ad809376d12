#pragma once

#include <QFont>

// The windows' typefaces; the font libraries the conversion reads are in fonts/.
namespace ledglyph::ui_fonts {

// The windows were drawn with GB2312 fonts (宋体, 楷体_GB2312). Each font lists
// those faces first and then CJK faces commonly installed elsewhere, so the
// Chinese texts render wherever one of them is present.

QFont songTi(qreal pointSize);          // 宋体, normal weight
QFont kaiTiBold(qreal pointSize);       // 楷体_GB2312, bold
QFont windowDefault();                  // 宋体 9 pt, for controls without a font of their own
QFont glyphText();                      // monospaced, so the glyph text's columns line up

} // namespace ledglyph::ui_fonts
