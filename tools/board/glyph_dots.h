#pragma once

#include <QByteArray>
#include <QString>

namespace ledglyph::board {

// One 16×16 cell (32 bytes: 16 rows, each a left then a right byte, most
// significant bit leftmost) drawn as 16 lines of '#' (bit 1) and '.' (bit 0),
// each line ended by a line feed.
QString drawCell(const QByteArray &cell);

} // namespace ledglyph::board
