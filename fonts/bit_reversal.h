#pragma once

#include <QtGlobal>

namespace ledglyph::fonts {

// The byte with its bit order reversed: bit k of the result is bit 7 − k of
// `byte1`. Reversing the bytes of a row mirrors its dots left to right.
quint8 reverseBits(quint8 byte1);

} // namespace ledglyph::fonts
