#pragma once

// The conversion's shared types: the glyph buffer, the options of a run and the
// tokens that make the glyph text C51 or A51 source.

#include <QByteArray>
#include <QString>

namespace ledglyph {

// Cells of 32 bytes: 16 rows from the top, each a left byte then a right byte;
// the most significant bit is the leftmost dot, a 1 bit a lit dot. A run sizes
// it to (characters + 11) × 32 + 1 zero bytes.
using GlyphBuffer = QByteArray;

enum class OutputFormat { C51, A51 };
enum class CellMode { Cell16x16, Cell8x16 };

// Defaults are the main window's start state.
struct ConversionOptions {
    OutputFormat format = OutputFormat::C51;
    CellMode cellMode = CellMode::Cell16x16;
    bool invert = true;
    bool mirror = true;
};

// The pieces that make the glyph text C51 or A51 source.
struct FormatTokens {
    QString commentStart;     // starts every comment: "//" or ";"
    QString valueEnd;         // follows every value: "," or "H,"
    QString lineStart;        // starts every line of values: nothing or "DB  "
    QString valuePrefix;      // before a value of two hexadecimal digits: "0x" or "0"
    QString shortValuePrefix; // before a value below 16, which has one digit: "0x0" or "00"

    static FormatTokens forFormat(OutputFormat format);
};

} // namespace ledglyph
