// The board firmware's rules, compiled for the host: which transfers it
// accepts, what the glyph store keeps, and what the matrix shows.

#include "protocol/wire_format.h"
#include "firmware/display.h"
#include "firmware/glyph_store.h"
#include "firmware/receiver.h"
#include "fonts/bit_reversal.h"

#include <QTest>

namespace {

constexpr uint16_t capacity = GLYPH_STORE_CAPACITY;
constexpr int answered = -1; // a Board's event: the board answered a poll

QByteArray glyphFile(int characters, char fill = 0x5A)
{
    return QByteArray(32 * characters + 353, fill);
}

QByteArray transfer(const QByteArray &data, int speed = 1)
{
    return QByteArray("\x79\x01", 2) + char(speed) + data + "sss";
}

// A board at power-on, fed a script of the line: "+N" waits N milliseconds,
// "!" is bytes the board lost, anything else is sent.
struct Board {
    QByteArray buffer = QByteArray(capacity + LEDGLYPH_TRAILER_LENGTH, 0);
    receiver rx{};
    QList<int> events; // in order: `answered`, 0 for a transfer accepted, or its refusal

    explicit Board(const QList<QByteArray> &script)
    {
        receiver_init(&rx, reinterpret_cast<uint8_t *>(buffer.data()), capacity);
        for (const QByteArray &step : script) {
            if (step == "!")
                receiver_lost_bytes(&rx);
            else if (step.startsWith('+'))
                for (int ms = step.mid(1).toInt(); ms > 0; ms -= 10)
                    act(receiver_time(&rx, 10));
            else
                for (const char byte : step)
                    act(receiver_byte(&rx, uint8_t(byte)));
        }
    }
    void act(uint8_t event)
    {
        if (event != RECEIVER_NOTHING)
            events << (event == RECEIVER_ANSWER ? answered : event == RECEIVER_ACCEPTED ? 0 : rx.refusal);
    }
};

} // namespace

Q_DECLARE_METATYPE(QList<int>)

class FirmwareLogicTest : public QObject {
    Q_OBJECT

private slots:
    // Every way a transfer can go; the decision comes only once the line has
    // been quiet. `kept` is the speed code and the data of the last transfer
    // accepted.
    void decisions_data()
    {
        QTest::addColumn<QList<QByteArray>>("script");
        QTest::addColumn<QList<int>>("events");
        QTest::addColumn<QByteArray>("kept");
        const auto row = [](const char *tag, const QList<QByteArray> &script, const QList<int> &events,
                            const QByteArray &kept = {}) { QTest::newRow(tag) << script << events << kept; };
        const QByteArray one = transfer(glyphFile(1));
        // A pause shorter than the quiet time inside the data does not end the transfer.
        row("across a pause", {"s", one.left(100), "+490", one.mid(100), "+600"}, {answered, 0}, '\x01' + glyphFile(1));
        row("polls already on their way are not answered again", {"s", "+100", "ss", one, "+600"}, {answered, 0});
        row("polling anew is answered again", {"s", "+500", "s", "+59600", one, "+600"}, {answered, answered, 0});
        row("wrong start byte", {"s", "\x78\x01\x01" + glyphFile(1) + "sss", "+600"}, {answered, REFUSAL_BAD_HEADER});
        row("wrong fixed byte", {"s", "\x79\x02\x01" + glyphFile(1) + "sss", "+600"}, {answered, REFUSAL_BAD_HEADER});
        row("speed 0", {"s", transfer(glyphFile(1), 0), "+600"}, {answered, REFUSAL_BAD_HEADER});
        row("speed 7", {"s", transfer(glyphFile(1), 7), "+600"}, {answered, REFUSAL_BAD_HEADER});
        row("header cut off", {"s", "\x79\x01", "+600"}, {answered, REFUSAL_CUT_OFF});
        row("cut off in the data", {"s", one.left(200), "+600"}, {answered, REFUSAL_CUT_OFF});
        row("one byte short", {"s", transfer(glyphFile(2).chopped(1)), "+600"}, {answered, REFUSAL_WRONG_LENGTH});
        row("no characters", {"s", transfer(QByteArray(353, 0)), "+600"}, {answered, REFUSAL_WRONG_LENGTH});
        row("beyond the store", {"s", transfer(QByteArray(capacity + 32, 1)), "+600"}, {answered, REFUSAL_TOO_LONG});
        row("largest file", {"s", transfer(glyphFile(1012)), "+600"}, {answered, 0}, '\x01' + glyphFile(1012));
        // The data may hold the trailer, even right after a whole file's length:
        // nothing is decided while bytes keep coming. 0x79 0x01 0x01 inside it starts nothing.
        QByteArray holdingTrailer = glyphFile(3, 0x11);
        holdingTrailer.replace(32 + 353, 9, "sss\x79\x01\x01sss");
        row("trailer in the data", {"s", transfer(holdingTrailer, 4), "+600"}, {answered, 0}, '\x04' + holdingTrailer);
        row("lost bytes", {"s", one.left(50), "!", one.mid(50), "+600"}, {answered, REFUSAL_LOST_BYTES});
        row("not announced: ignored, polls inside too", {one, "+600"}, {});
        row("a poll after stray bytes", {"x", "+100", "s"}, {answered});
        row("header after the minute", {"s", "+60000", "\x79\x01\x01" + glyphFile(1), "+600"}, {answered});
        row("two transfers", {"s", one, "+600", "s", transfer(glyphFile(2), 6), "+600"}, {answered, 0, answered, 0},
            '\x06' + glyphFile(2));
    }
    void decisions()
    {
        QFETCH(QList<QByteArray>, script);
        QFETCH(QList<int>, events);
        QFETCH(QByteArray, kept);
        const Board board(script);
        QCOMPARE(board.events, events);
        if (!kept.isEmpty())
            QCOMPARE(char(board.rx.speed) + board.buffer.left(board.rx.length), kept);
    }

    // The record read back at power-on names the file kept; RAM noise or a
    // damaged record names none.
    void storeRecordNamesTheFileKept()
    {
        QByteArray store(GLYPH_STORE_BYTES, '\x3C'); // what a fresh RAM may hold
        auto *bytes = reinterpret_cast<uint8_t *>(store.data());
        QCOMPARE(glyph_store_length(bytes), uint16_t(0));

        const QByteArray file = glyphFile(1012, 0x42);
        glyph_store_accept(bytes, reinterpret_cast<const uint8_t *>(file.constData()), uint16_t(file.size()), 5);
        QCOMPARE(glyph_store_length(bytes), uint16_t(file.size()));
        QCOMPARE(glyph_store_speed(bytes), uint8_t(5));

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
    }

    // The tool's defaults (mirror and invert on) show the glyph the right way
    // round: cells made as the conversion makes them, read back as lit dots.
    // With no cells every dot is dark, whatever the matrix showed before.
    void displayShowsTheTextTheRightWayRound()
    {
        // Five cells, each row a distinct pattern: dot c of row r of cell k is
        // lit when bit (15 - c) of pattern(k, r) is set (left dot = high bit).
        auto pattern = [](int cell, int row) { return quint16(0x8001u >> (row % 8) | (cell + 1) << 4 | row << 10); };
        QByteArray cells;
        for (int i = 0; i < 5 * 16; ++i) {
            const quint16 dots = pattern(i / 16, i % 16);
            // Mirror: left byte <- reversed right byte and the other way; then invert.
            cells += char(~ledglyph::fonts::reverseBits(quint8(dots)));
            cells += char(~ledglyph::fonts::reverseBits(quint8(dots >> 8)));
        }
        uint8_t frame[DISPLAY_FRAME_BYTES];
        display d{};
        for (const int count : {5, 0}) {
            display_show(&d, frame, reinterpret_cast<const uint8_t *>(cells.constData()), uint16_t(count));
            for (int step = 0; step <= 80; step += 16 + 3) {
                for (int row = 0; row < DISPLAY_ROWS; ++row) {
                    for (int column = 0; column < DISPLAY_COLUMNS; ++column) {
                        const int stripColumn = (column + step) % (5 * 16);
                        const bool lit = count > 0 && pattern(stripColumn / 16, row) >> (15 - stripColumn % 16) & 1;
                        QVERIFY2(display_lit(frame, uint8_t(row), uint8_t(column)) == lit,
                                 qPrintable(QString::asprintf("%d cells, step %d: %d, %d", count, step, row, column)));
                    }
                }
                for (int i = 0; i < 16 + 3; ++i)
                    display_step(&d);
            }
        }
    }
};

QTEST_APPLESS_MAIN(FirmwareLogicTest)
#include "test_firmware_logic.moc"
