#pragma once

// The glyph source text hz.txt: C51 or A51 source with a comment header, the
// bytes of each cell as values, 16 to a line, and a comment naming the cell's
// characters.

#include "core/glyph_types.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <array>
#include <optional>

namespace ledglyph {

// Text files use CR LF line ends.
inline const QString lineEnd = QStringLiteral("\r\n");

// Every byte value as source text, in code page 936 bytes: shortValuePrefix below 16,
// valuePrefix otherwise, the value in upper-case hexadecimal, then valueEnd ("0x0A,"
// in C51, "00AH," in A51).
const std::array<QByteArray, 256> &byteTexts(OutputFormat format);

// The header of hz.txt up to and including its closing empty line:
// an empty line, the generator line, the download line, the host with the date
// and time, and two empty lines, each comment line starting with commentStart.
QString glyphHeaderText(const FormatTokens &tokens, const QString &dateTime);

// The whole glyph source text, in code page 936 bytes, of a text whose
// characters have the `codes`: the header, then each of the text's
// `cellCount` cells of `glyphs` as two lines of 16 values followed by a
// comment naming its characters (one per cell, two in 8*16 mode), the cells
// separated by an empty line. The banner cells are not written.
//
// A comment holds the characters as typed, raw line-break characters
// included. When a line break inside a comment is followed by more of its
// characters (in 8*16 mode a CR LF can be split across two cells, so a
// comment may start with the LF), commentStart is written again after the
// break, so that the following character stays in a comment instead of
// becoming source code of its own.
//
// Nothing when the header's date and time cannot be written in code page 936.
std::optional<QByteArray> glyphSource(const GlyphBuffer &glyphs, qint32 cellCount, const QList<qint16> &codes,
                                      CellMode mode, OutputFormat format, const QString &dateTime);

} // namespace ledglyph
