// The bit reversal that mirrors a row of dots: known pairs, and for every byte
// value a reversal that undoes itself and keeps the number of lit dots.

#include "fonts/bit_reversal.h"

#include <QTest>

#include <bit>

using ledglyph::fonts::reverseBits;

class TestBitReversal : public QObject {
    Q_OBJECT

private slots:
    void reversesTheBitOrder()
    {
        const std::pair<quint8, quint8> pairs[] = {
            {0x00, 0x00}, {0xFF, 0xFF}, {0x80, 0x01}, {0x01, 0x80}, {0x12, 0x48},
            {0xF0, 0x0F}, {0xC4, 0x23}, {0xA5, 0xA5}, {0x3C, 0x3C}, {0x06, 0x60},
        };
        for (const auto &[byte, reversed] : pairs)
            QCOMPARE(reverseBits(byte), reversed);
        for (int v = 0; v < 256; ++v) {
            const auto byte = static_cast<quint8>(v);
            QCOMPARE(reverseBits(reverseBits(byte)), byte);
            QCOMPARE(std::popcount(reverseBits(byte)), std::popcount(byte));
        }
    }
};

QTEST_GUILESS_MAIN(TestBitReversal)
#include "test_bit_reversal.moc"
