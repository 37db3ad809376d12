#pragma once

#include "tools/fontgen/bitmap_font.h"

#include <QIODevice>
#include <QString>

namespace ledglyph::fontgen {

// Reads a GNU Unifont .hex file: one glyph per line, "CODE:BITMAP", CODE the
// code point in 4 to 6 hex digits, BITMAP 32 hex digits (8×16) or 64 (16×16),
// row by row from the top. Any malformed line refuses the whole file. Only the
// wanted characters are kept. The file is read as a stream (a pipe works).
FontReadResult readHexFont(const QString &path, const CharacterSet &wanted);

// The same from an open device; `name` names it in messages.
FontReadResult readHexFont(QIODevice &device, const QString &name, const CharacterSet &wanted);

} // namespace ledglyph::fontgen
