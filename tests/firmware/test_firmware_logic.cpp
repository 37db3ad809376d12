// The board firmware's rules, compiled for the host: which transfers it
// accepts, what the glyph store keeps, and what the matrix shows.

#include "download/wire_format.h"
#include "firmware/display.h"
#include "firmware/glyph_store.h"
#include "firmware/receiver.h"
#include "fonts/bit_reversal.h"

#include <QTest>

namespace {

constexpr uint16_t capacity = GLYPH_STORE_CAPACITY;

QByteArray glyphFile(int characters, char fill = 0x5A)
{
    return QByteArray(32 * characters + 353, fill);
}

QByteArray transfer(const QByteArray &data, int speed = 1)
{
    return QByteArray("\x79\x01", 2) + char(speed) + data + "sss";
}

// A board at power-on, fed a script: "poll", bytes, and pauses in milliseconds.
struct Board {
    QByteArray buffer = QByteArray(capacity + LEDGLYPH_TRAILER_LENGTH, 0);
    receiver rx{};
    int answers = 0;
    QList<int> decisions; // 0 accepted, else the refusal

    Board() { receiver_init(&rx, reinterpret_cast<uint8_t *>(buffer.data()), capacity); }

    void act(uint8_t event)
    {
        if (event == RECEIVER_ANSWER)
            ++answers;
        else if (event == RECEIVER_ACCEPTED)
            decisions << 0;
        else if (event == RECEIVER_REFUSED)
            decisions << rx.refusal;
    }
    void send(const QByteArray &bytes)
    {
        for (const char byte : bytes)
            act(receiver_byte(&rx, uint8_t(byte)));
    }
    void wait(int ms)
    {
        for (; ms > 0; ms -= 10)
            act(receiver_time(&rx, 10));
    }
    QByteArray accepted() const { return buffer.left(rx.length); }
};

} // namespace

Q_DECLARE_METATYPE(QList<int>)

class FirmwareLogicTest : public QObject {
    Q_OBJECT

private slots:
    // Every way a transfer can go, as a script of the line; the decision comes
    // only once the line has been quiet.
    void decisions_data()
    {
        QTest::addColumn<QList<QByteArray>>("script"); // "+N" waits N ms, anything else is sent
        QTest::addColumn<QList<int>>("decisions");
        QTest::addColumn<int>("answers");
        const QByteArray one = transfer(glyphFile(1));
        QTest::newRow("accepted") << QList<QByteArray>{"s", one, "+600"} << QList<int>{0} << 1;
        QTest::newRow("polls already on their way are not answered again")
            << QList<QByteArray>{"s", "+100", "ss", one, "+600"} << QList<int>{0} << 1;
        QTest::newRow("a sender polling anew is answered again")
            << QList<QByteArray>{"s", "+500", "s", "+59600", one, "+600"} << QList<int>{0} << 2;
        QTest::newRow("not decided while the line is busy") << QList<QByteArray>{"s", one, "+400"} << QList<int>{} << 1;
        QTest::newRow("wrong start byte")
            << QList<QByteArray>{"s", "\x78\x01\x01" + glyphFile(1) + "sss", "+600"} << QList<int>{REFUSAL_BAD_HEADER} << 1;
        QTest::newRow("wrong fixed byte")
            << QList<QByteArray>{"s", "\x79\x02\x01" + glyphFile(1) + "sss", "+600"} << QList<int>{REFUSAL_BAD_HEADER} << 1;
        QTest::newRow("speed 0") << QList<QByteArray>{"s", transfer(glyphFile(1), 0), "+600"} << QList<int>{REFUSAL_BAD_HEADER} << 1;
        QTest::newRow("speed 7") << QList<QByteArray>{"s", transfer(glyphFile(1), 7), "+600"} << QList<int>{REFUSAL_BAD_HEADER} << 1;
        QTest::newRow("header cut off") << QList<QByteArray>{"s", "\x79\x01", "+600"} << QList<int>{REFUSAL_CUT_OFF} << 1;
        QTest::newRow("cut off in the data")
            << QList<QByteArray>{"s", one.left(200), "+600"} << QList<int>{REFUSAL_CUT_OFF} << 1;
        QTest::newRow("one byte short")
            << QList<QByteArray>{"s", transfer(glyphFile(1).chopped(1)), "+600"} << QList<int>{REFUSAL_WRONG_LENGTH} << 1;
        QTest::newRow("no characters") << QList<QByteArray>{"s", transfer(QByteArray(353, 0)), "+600"}
                                       << QList<int>{REFUSAL_WRONG_LENGTH} << 1;
        QTest::newRow("longer than the store")
            << QList<QByteArray>{"s", transfer(QByteArray(capacity + 32, 1)), "+600"} << QList<int>{REFUSAL_TOO_LONG} << 1;
        QTest::newRow("largest file") << QList<QByteArray>{"s", transfer(glyphFile(1012)), "+600"} << QList<int>{0} << 1;
        // A pause shorter than the quiet time inside the data does not end the transfer.
        QTest::newRow("pause inside the data")
            << QList<QByteArray>{"s", one.left(100), "+300", one.mid(100), "+600"} << QList<int>{0} << 1;
        QTest::newRow("not announced: ignored, polls inside too") << QList<QByteArray>{one, "+600"} << QList<int>{} << 0;
        QTest::newRow("a poll after stray bytes") << QList<QByteArray>{"\x00", "+100", "s"} << QList<int>{} << 1;
        QTest::newRow("header after the minute") << QList<QByteArray>{"s", "+60000", "\x79\x01\x01" + glyphFile(1), "+600"}
                                                 << QList<int>{} << 1;
        QTest::newRow("two transfers") << QList<QByteArray>{"s", one, "+600", "s", transfer(glyphFile(2), 6), "+600"}
                                       << QList<int>{0, 0} << 2;
    }
    void decisions()
    {
        QFETCH(QList<QByteArray>, script);
        QFETCH(QList<int>, decisions);
        QFETCH(int, answers);
        Board board;
        for (const QByteArray &step : script) {
            if (step.startsWith('+') && step.size() > 1)
                board.wait(step.mid(1).toInt());
            else
                board.send(step);
        }
        QCOMPARE(board.decisions, decisions);
        QCOMPARE(board.answers, answers);
    }

    // The data may hold the trailer, and 0x79 0x01 0x01 inside it starts nothing.
    void dataHoldingTheTrailerIsKeptWhole()
    {
        QByteArray data = glyphFile(3, 0x11);
        data.replace(10, 9, "sss\x79\x01\x01sss");
        Board board;
        board.send("s");
        board.send(transfer(data, 4));
        board.wait(600);
        QCOMPARE(board.decisions, QList<int>{0});
        QCOMPARE(board.accepted(), data);
        QCOMPARE(board.rx.speed, uint8_t(4));
    }

    void lostBytesRefuseTheTransfer()
    {
        Board board;
        board.send("s");
        board.send(transfer(glyphFile(1)).left(50));
        receiver_lost_bytes(&board.rx);
        board.send(transfer(glyphFile(1)).mid(50));
        board.wait(600);
        QCOMPARE(board.decisions, QList<int>{REFUSAL_LOST_BYTES});
    }

    void storeKeepsTheFileAndItsRecord()
    {
        QByteArray store(GLYPH_STORE_BYTES, '\x3C'); // what a fresh RAM may hold
        auto *bytes = reinterpret_cast<uint8_t *>(store.data());
        QCOMPARE(glyph_store_length(bytes), uint16_t(0));

        const QByteArray file = glyphFile(1012, 0x42);
        glyph_store_accept(bytes, reinterpret_cast<const uint8_t *>(file.constData()), uint16_t(file.size()), 5);
        glyph_store_note(bytes, REFUSAL_NONE);
        QCOMPARE(store.left(file.size()), file);
        QCOMPARE(glyph_store_length(bytes), uint16_t(file.size()));
        QCOMPARE(glyph_store_speed(bytes), uint8_t(5));
        QCOMPARE(uint8_t(store.at(GLYPH_RECORD_LAST_DECISION)), uint8_t(0));

        store[GLYPH_RECORD_OFFSET + 2] = 0x22; // a damaged record shows nothing
        QCOMPARE(glyph_store_length(bytes), uint16_t(0));
    }

    // 8*16 mode leaves its spare cells 0x00: solid blocks on this board, not shown.
    void spareCellsAreNotShown()
    {
        QByteArray file = glyphFile(4, 0x7F);
        file.replace(file.size() - 1 - 2 * 32, 2 * 32 + 1, QByteArray(2 * 32 + 1, 0));
        QCOMPARE(glyph_cells_shown(reinterpret_cast<const uint8_t *>(file.constData()), uint16_t(file.size())),
                 uint16_t(4 + 11 - 2));
        QCOMPARE(glyph_cells_shown(reinterpret_cast<const uint8_t *>(file.constData()), 0), uint16_t(0));
    }

    // The tool's defaults (mirror and invert on) show the glyph the right way
    // round: cells made as the conversion makes them, read back as lit dots.
    void defaultOptionsShowTheTextTheRightWayRound()
    {
        // Five cells, each row a distinct pattern: dot c of row r of cell k is
        // lit when bit (15 - c) of pattern(k, r) is set (left dot = high bit).
        auto pattern = [](int cell, int row) { return quint16(0x8001u >> (row % 8) | (cell + 1) << 4 | row << 10); };
        QByteArray cells;
        for (int cell = 0; cell < 5; ++cell) {
            for (int row = 0; row < 16; ++row) {
                const quint16 dots = pattern(cell, row);
                // Mirror: left byte <- reversed right byte and the other way; then invert.
                cells += char(~ledglyph::fonts::reverseBits(quint8(dots)));
                cells += char(~ledglyph::fonts::reverseBits(quint8(dots >> 8)));
            }
        }
        uint8_t frame[DISPLAY_FRAME_BYTES];
        display d{};
        display_show(&d, frame, reinterpret_cast<const uint8_t *>(cells.constData()), 5);
        for (int step = 0; step <= 80; step += 16 + 3) {
            for (int row = 0; row < DISPLAY_ROWS; ++row) {
                for (int column = 0; column < DISPLAY_COLUMNS; ++column) {
                    const int stripColumn = (column + step) % (5 * 16);
                    const bool lit = pattern(stripColumn / 16, row) >> (15 - stripColumn % 16) & 1;
                    QVERIFY2(display_lit(frame, uint8_t(row), uint8_t(column)) == lit,
                             qPrintable(QStringLiteral("step %1 row %2 column %3").arg(step).arg(row).arg(column)));
                }
            }
            for (int i = 0; i < 16 + 3; ++i)
                display_step(&d);
        }
        // The first byte shifted out is the right edge: its first bit is column 63.
        QCOMPARE(display_step_ms(1), uint16_t(30));
        QCOMPARE(display_step_ms(6), uint16_t(180));
    }

    void noCellsLeaveTheMatrixDark()
    {
        uint8_t frame[DISPLAY_FRAME_BYTES];
        display d{};
        const uint8_t cells[32] = {};
        display_show(&d, frame, cells, 0);
        display_step(&d);
        for (int row = 0; row < DISPLAY_ROWS; ++row)
            for (int column = 0; column < DISPLAY_COLUMNS; ++column)
                QVERIFY(!display_lit(frame, uint8_t(row), uint8_t(column)));
    }
};

QTEST_APPLESS_MAIN(FirmwareLogicTest)
#include "test_firmware_logic.moc"
