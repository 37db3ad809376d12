// Bit reversal and the storing of font records into glyph cells: which bytes
// each kind of character fills, and the order of mirror and inversion.

#include "fonts/bit_reversal.h"
#include "fonts/cell_store.h"

#include <QTest>

using namespace ledglyph::fonts;

namespace {

quint8 at(const QByteArray &bytes, int i)
{
    return static_cast<quint8>(bytes.at(i));
}

// A record whose every row is `row` (1 byte) or `left`, `right` (2 bytes).
QByteArray ascRecord(quint8 row)
{
    return QByteArray(16, static_cast<char>(row));
}

QByteArray hzRecord(quint8 left, quint8 right)
{
    QByteArray record;
    for (int r = 0; r < 16; ++r)
        record.append(static_cast<char>(left)).append(static_cast<char>(right));
    return record;
}

} // namespace

class TestCellStore : public QObject {
    Q_OBJECT

private slots:
    void reverseBitsTable_data()
    {
        QTest::addColumn<int>("in");
        QTest::addColumn<int>("out");
        QTest::newRow("0x00") << 0x00 << 0x00;
        QTest::newRow("0xFF") << 0xFF << 0xFF;
        QTest::newRow("0x80") << 0x80 << 0x01;
        QTest::newRow("0x01") << 0x01 << 0x80;
        QTest::newRow("0x12") << 0x12 << 0x48;
        QTest::newRow("0xA5") << 0xA5 << 0xA5;
        QTest::newRow("0xC0") << 0xC0 << 0x03;
        QTest::newRow("0xF0") << 0xF0 << 0x0F;
        QTest::newRow("0x3A") << 0x3A << 0x5C;
    }

    void reverseBitsTable()
    {
        QFETCH(int, in);
        QFETCH(int, out);
        QCOMPARE(int{reverseBits(static_cast<quint8>(in))}, out);
    }

    void reverseBitsIsAnInvolutionThatCommutesWithInversion()
    {
        for (int v = 0; v < 256; ++v) {
            const auto b = static_cast<quint8>(v);
            QCOMPARE(reverseBits(reverseBits(b)), b);
            QCOMPARE(reverseBits(static_cast<quint8>(255 - b)), static_cast<quint8>(255 - reverseBits(b)));
        }
    }

    void hzCellMirrorsTheWhole16DotRow()
    {
        QByteArray buffer(96, '\0');
        storeHzCell(buffer, 32, hzRecord(0xF0, 0x01), true);
        for (int r = 0; r < 16; ++r) {
            QCOMPARE(at(buffer, 32 + 2 * r), quint8{0x80});
            QCOMPARE(at(buffer, 32 + 2 * r + 1), quint8{0x0F});
        }
        // Neighbouring cells are untouched.
        QCOMPARE(buffer.left(32), QByteArray(32, '\0'));
        QCOMPARE(buffer.mid(64), QByteArray(32, '\0'));

        storeHzCell(buffer, 32, hzRecord(0xF0, 0x01), false);
        QCOMPARE(at(buffer, 32), quint8{0xF0});
        QCOMPARE(at(buffer, 33), quint8{0x01});
    }

    void hzCellKeepsRowOrder()
    {
        QByteArray record;
        for (int i = 0; i < 32; ++i)
            record.append(static_cast<char>(i + 1));
        QByteArray buffer(32, '\0');
        storeHzCell(buffer, 0, record, false);
        QCOMPARE(buffer, record);
        storeHzCell(buffer, 0, record, true);
        // Row 3 reads (7, 8): stored as (reverse 8, reverse 7) = (0x10, 0xE0).
        QCOMPARE(at(buffer, 6), quint8{0x10});
        QCOMPARE(at(buffer, 7), quint8{0xE0});
    }

    void ascHalfCellFillsLeftBytesOnly_data()
    {
        QTest::addColumn<bool>("mirror");
        QTest::addColumn<int>("left");
        QTest::newRow("plain") << false << 0xC0;
        QTest::newRow("mirrored in place") << true << 0x03;
    }

    void ascHalfCellFillsLeftBytesOnly()
    {
        QFETCH(bool, mirror);
        QFETCH(int, left);
        QByteArray buffer(32, static_cast<char>(0x55)); // right bytes must keep this
        storeAscHalfCell(buffer, 0, ascRecord(0xC0), mirror);
        for (int r = 0; r < 16; ++r) {
            QCOMPARE(int{at(buffer, 2 * r)}, left);
            QCOMPARE(at(buffer, 2 * r + 1), quint8{0x55});
        }
    }

    void pairSideMirrorsThenInverts_data()
    {
        QTest::addColumn<int>("side");
        QTest::addColumn<bool>("mirror");
        QTest::addColumn<bool>("invert");
        QTest::addColumn<int>("stored");
        QTest::newRow("right, plain") << 1 << false << false << 0xC0;
        QTest::newRow("right, mirror") << 1 << true << false << 0x03;
        QTest::newRow("right, invert") << 1 << false << true << 0x3F;
        QTest::newRow("right, both") << 1 << true << true << 0xFC;
        QTest::newRow("left, both") << 0 << true << true << 0xFC;
        QTest::newRow("left, plain") << 0 << false << false << 0xC0;
    }

    void pairSideMirrorsThenInverts()
    {
        QFETCH(int, side);
        QFETCH(bool, mirror);
        QFETCH(bool, invert);
        QFETCH(int, stored);
        QByteArray buffer(64, '\0');
        storePairSide(buffer, 32, static_cast<PairSide>(side), ascRecord(0xC0), mirror, invert);
        for (int r = 0; r < 16; ++r) {
            QCOMPARE(int{at(buffer, 32 + 2 * r + side)}, stored);
            // The other side is never written, inversion or not.
            QCOMPARE(at(buffer, 32 + 2 * r + (1 - side)), quint8{0});
        }
        QCOMPARE(buffer.left(32), QByteArray(32, '\0'));
    }
};

QTEST_GUILESS_MAIN(TestCellStore)
#include "test_cell_store.moc"
