#pragma once

#include "core/glyph_types.h"

#include <QByteArray>
#include <QString>

namespace ledglyph {

// The state that a conversion run and its font lookups share. Counters and
// lengths are 16-bit and offsets and positions 32-bit, as the board's data
// format was designed around: a run of at most 1012 characters keeps every
// value in range.
struct RunState {
    QString tempCharPath;   // Tempchar.txt in the output folder
    QString outPath;        // the output being produced: hz.txt, later zimuo.bin
    QString fontPath;       // the font library being read: hzk16 or ASC16
    GlyphBuffer glyphBuffer;
    qint32 filePos = 0;     // 1-based file position of the last font read
    QByteArray fontBytes;   // the last record read, before any transform
    qint16 charIndex = 0;   // 0-based index in srcText of the character converted
    qint16 byteCount = 0;   // bytes of the current cell already written as text
    qint16 commentPos = 0;  // 1-based input position named by the next glyph comment
    qint16 textLen = 0;     // characters of the text converted
    FormatTokens tokens;    // tokComment, tokSep, tokLine, tokHex, tokHex0 of the run
    qint32 cellOffset = 0;  // first byte of the cell being filled; a multiple of 32
    QString srcText;        // the text converted; the banner text at the end of a run
};

} // namespace ledglyph
