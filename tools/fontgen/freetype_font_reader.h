#pragma once

#include "tools/fontgen/bitmap_font.h"

#include <QByteArray>
#include <QString>

namespace ledglyph::fontgen {

// Reads the wanted characters of a font FreeType can open (BDF, PCF, gzipped
// PCF, TrueType, OpenType, collections; `faceIndex` picks a face of a
// collection) as 16-pixel monochrome glyphs: a 16-pixel bitmap strike where
// the font has one, else the hinted outline rendered at 16 pixels. A font
// whose cmap is Unicode is read by code point; a BDF or PCF font of the
// registry GB2312.1980 (codes 0x2121–0x7E7E) and a TrueType font with only a
// PRC cmap are read by their GB2312 codes. The font's line (BitmapFont box)
// is the vertical reach of its hanzi, or of all its glyphs when it has none,
// so that every glyph shares one baseline. `name` names the file in messages.
FontReadResult readFreeTypeFont(const QByteArray &fontBytes, int faceIndex, const CharacterSet &wanted,
                                const QString &name);

} // namespace ledglyph::fontgen
