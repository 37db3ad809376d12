#pragma once

// The reference firmware's rule for a transfer (firmware/receiver.c), on the
// host: whether the board would accept a glyph file.

#include <QByteArray>
#include <QString>

#include <optional>

namespace ledglyph::preview {

// Empty when the board accepts glyph data sent with `speedCode`; otherwise
// why it keeps its earlier glyphs.
std::optional<QString> boardRefusal(const QByteArray &data, int speedCode);

// Why the board refused a transfer (an enum receiver_refusal) of `length`
// bytes of glyph data.
QString refusalText(int refusal, qsizetype length);

} // namespace ledglyph::preview
