#include "fonts/bit_reversal.h"

namespace ledglyph::fonts {

quint8 reverseBits(quint8 byte1)
{
    // Walk the source bits from the most significant down and set the result
    // bits from the least significant up.
    quint8 result = 0;
    for (int i = 1; i <= 8; ++i) {
        const auto sourceMask = static_cast<quint8>(1u << (8 - i));
        const auto targetMask = static_cast<quint8>(1u << (i - 1));
        if (byte1 & sourceMask)
            result |= targetMask;
    }
    return result;
}

} // namespace ledglyph::fonts
