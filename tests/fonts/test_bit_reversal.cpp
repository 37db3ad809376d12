// The bit reversal of every byte value. The conversion tests reach the font
// library's record reads and cell storing through whole runs.

#include "fonts/bit_reversal.h"

#include <QTest>

class TestBitReversal : public QObject {
    Q_OBJECT

private slots:
    // Bit k of the result is bit 7 − k of the byte (0x12 → 0x48, 0x80 → 0x01).
    void reverseBitsOfEveryByte()
    {
        for (int v = 0; v < 256; ++v) {
            int reversed = 0;
            for (int k = 0; k < 8; ++k)
                reversed |= ((v >> (7 - k)) & 1) << k;
            QCOMPARE(int{ledglyph::fonts::reverseBits(static_cast<quint8>(v))}, reversed);
        }
    }
};

QTEST_GUILESS_MAIN(TestBitReversal)
#include "test_bit_reversal.moc"
