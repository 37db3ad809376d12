#pragma once

#include <QtGlobal>

#include <array>

namespace ledglyph::fonts {

namespace detail {
constexpr std::array<quint8, 256> reversedBytes = [] {
    std::array<quint8, 256> table{};
    for (int value = 0; value < 256; ++value) {
        int reversed = 0;
        for (int bit = 0; bit < 8; ++bit) {
            if (value & (1 << bit))
                reversed |= 1 << (7 - bit);
        }
        table[value] = static_cast<quint8>(reversed);
    }
    return table;
}();
} // namespace detail

// The byte with its bit order reversed: bit k of the result is bit 7 − k of
// `byte1`. Reversing the bytes of a row mirrors its dots left to right.
// A table look-up: the conversion reverses every byte of a mirrored text.
constexpr quint8 reverseBits(quint8 byte1)
{
    return detail::reversedBytes[byte1];
}

} // namespace ledglyph::fonts
