#include "tools/board/glyph_dots.h"

namespace ledglyph::board {

QString drawCell(const QByteArray &cell)
{
    QString lines;
    for (int row = 0; row < 16; ++row) {
        for (int half = 0; half < 2; ++half) {
            const int index = row * 2 + half;
            const auto byte = index < cell.size() ? static_cast<quint8>(cell.at(index)) : quint8(0);
            for (int bit = 7; bit >= 0; --bit)
                lines += (byte >> bit) & 1 ? QLatin1Char('#') : QLatin1Char('.');
        }
        lines += QLatin1Char('\n');
    }
    return lines;
}

} // namespace ledglyph::board
