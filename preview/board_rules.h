#pragma once

// The reference firmware's rule for a transfer (firmware/receiver.c), on the
// host: whether the board would accept a glyph file.

#include "platform/result.h"

#include <QByteArray>

namespace ledglyph::preview {

// Success when the board accepts glyph data sent with `speedCode`; otherwise
// why it keeps its earlier glyphs.
Status checkBoardAccepts(const QByteArray &data, int speedCode);

// Why the board refused a transfer (an enum receiver_refusal) of `length`
// bytes of glyph data.
QString refusalText(int refusal, qsizetype length);

} // namespace ledglyph::preview
