#pragma once

#include "tools/fontgen/bitmap_font.h"

#include <QString>

namespace ledglyph::fontgen {

// Reads a BDF 2.1 bitmap font. Glyph encodings are taken as Unicode for the
// registries ISO10646 and ISO8859-1 (and when the font names none); a
// GB2312.1980 font's codes (0x2121–0x7E7E) are turned into characters with
// code page 936. Unencoded glyphs (ENCODING -1) are skipped. A malformed file
// or another registry refuses the whole font.
FontReadResult readBdfFont(const QString &path);

} // namespace ledglyph::fontgen
