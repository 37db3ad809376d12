#pragma once

#include "core/glyph_types.h"
#include "fonts/font_library.h"
#include "platform/result.h"

#include <QList>
#include <QString>

namespace ledglyph {

// Cells that hold the text: one per character, or one per pair in 8*16 mode.
qint32 textCellCount(qint32 textLength, CellMode mode);

// The glyph buffer of a checked text whose characters have the code page 936
// `codes`: (characters + 11) × 32 + 1 bytes, as zimuo.bin holds it.
// - 16*16: each character's record fills its cell (a single-byte character
//   only the left bytes), mirrored if asked; then, if asked, every byte of the
//   buffer is inverted, the still empty banner cells and the final byte too.
// - 8*16: the characters go two to a cell, the first to the right bytes and
//   the second to the left, each mirrored and inverted if asked.
// Then the banner's 22 characters are stored as 8*16 pairs after the text's
// cells. Fails with the refusal naming the character whose record the font
// libraries could not give.
Result<GlyphBuffer> glyphCells(const QString &text, const QList<qint16> &codes,
                               const ConversionOptions &options, const fonts::FontLibraries &fonts);

} // namespace ledglyph
