#pragma once

// The geometry of glyph data, shared by the conversion, the font libraries,
// the download and the board simulator: cells of 16 rows of two bytes, and
// the banner cells and final byte that follow a text's cells in zimuo.bin.

#include "protocol/wire_format.h"

#include <QtGlobal>

namespace ledglyph {

constexpr int rowsPerCell = 16;
constexpr qint32 cellBytes = 32; // 16 rows of a left and a right byte

// Cells after the text's own, for the banner (22 characters, two per cell).
constexpr qint32 bannerCells = 11;

// The glyph buffer of a text of `characters` characters, as zimuo.bin holds
// it: a cell per character (in 8*16 mode, where a cell holds two, the spare
// cells stay empty), the banner cells and one final byte.
constexpr qint32 glyphBufferBytes(qint32 characters)
{
    return (characters + bannerCells) * cellBytes + 1;
}

// What a glyph file holds beyond a cell per character: the banner cells and the final byte.
constexpr qint32 glyphBufferTailBytes = glyphBufferBytes(0);

// The board's firmware knows the same geometry from the wire format.
static_assert(cellBytes == LEDGLYPH_CELL_BYTES && bannerCells == LEDGLYPH_BANNER_CELLS
              && glyphBufferTailBytes == LEDGLYPH_GLYPH_FILE_TAIL_BYTES);

} // namespace ledglyph
