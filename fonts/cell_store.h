#pragma once

// Storing font records into 32-byte glyph cells. A cell is 16 rows from the
// top, each a left byte (even index) then a right byte (odd index); the most
// significant bit of a byte is the leftmost dot.

#include <QByteArray>
#include <QByteArrayView>
#include <QtGlobal>

namespace ledglyph::fonts {

// A Chinese character: the 32-byte hzk16 record fills the whole cell. With
// `mirror` each 16-dot row is reversed end to end: the row read as (L, R) is
// stored as (reversed R, reversed L).
void storeHzCell(QByteArray &buffer, qint32 cellOffset, QByteArrayView record, bool mirror);

// A single-byte character in a 16×16 cell: the 16 rows of the ASC16 record go
// to the left bytes; the right bytes are left as they are. With `mirror` each
// row byte is reversed in place, so the character stays in the left half.
void storeAscHalfCell(QByteArray &buffer, qint32 cellOffset, QByteArrayView record, bool mirror);

// Which bytes of a cell a character of an 8×16 pair fills. The first
// character of a pair goes to the right bytes, the second to the left bytes.
enum class PairSide { Left = 0, Right = 1 };

// One character of a pair: each row byte is reversed if `mirror`, then
// complemented if `invert`, and stored at its side of the row. The other side
// is left as it is.
void storePairSide(QByteArray &buffer, qint32 cellOffset, PairSide side, QByteArrayView record,
                   bool mirror, bool invert);

} // namespace ledglyph::fonts
