#pragma once

// The reference firmware's own rules (firmware/*.c), for the board simulator:
// whether the board would accept a transfer, and what its 16 x 64 matrix
// shows at a given time.

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QString>

#include <optional>

namespace ledglyph::board {

// Empty when the board accepts glyph data sent with `speedCode`; otherwise
// why it keeps its earlier glyphs.
std::optional<QString> boardRefusal(const QByteArray &data, int speedCode);

// The matrix at each of `timesMs` (milliseconds after the glyphs arrived),
// one frame under the other, lit dots red on a dark board.
QImage filmStrip(const QByteArray &glyphs, int speedCode, const QList<int> &timesMs);

} // namespace ledglyph::board
