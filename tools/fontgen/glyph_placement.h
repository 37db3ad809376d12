#pragma once

#include "tools/fontgen/bitmap_font.h"

#include <array>

namespace ledglyph::fontgen {

// A 16-row cell; bit 15 of a row is its leftmost dot.
using CellRows = std::array<quint16, 16>;

// Places a glyph into a cell cellWidth dots wide (16 or 8) and 16 high: the
// glyph's advance box is centred horizontally (an 8-wide glyph sits in the
// middle of a 16-wide cell) and the font's bounding box vertically, so that
// every glyph keeps the font's common baseline. Dots outside the cell are cut.
CellRows placeGlyph(const BitmapFont &font, const Glyph &glyph, int cellWidth);

} // namespace ledglyph::fontgen
