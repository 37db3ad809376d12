// The board simulator's reading of the download stream, its dot drawing and
// its command line.

#include "preview/board_rules.h"
#include "preview/drawing/matrix_drawing.h"
#include "tools/board/glyph_dots.h"
#include "tools/board/transfer_receiver.h"

#include "tests/support/test_files.h"

#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

using namespace ledglyph::board;
using namespace ledglyph::preview;
using namespace ledglyph::test;
using namespace Qt::StringLiterals;

const QString boardProgram = QStringLiteral(LEDGLYPH_APPDIR "/ledglyph-board");

class BoardReceiverTest : public QObject {
    Q_OBJECT

private slots:
    // Poll bytes before the header are counted, not kept; "s" bytes inside the
    // data stay data; only the last three bytes are the trailer, unless a whole
    // header follows them: then the next transfer begins.
    void streams_data()
    {
        QTest::addColumn<QByteArrayList>("pieces");
        QTest::addColumn<int>("polls");
        QTest::addColumn<QString>("result"); // "speed: data" of each transfer, or what the complaint holds
        QTest::newRow("in pieces") << QByteArrayList{"sss", "sy", "\x01\x05" "ab", "sss", "\0sss"_ba} << 4 << u"5: absss\0"_s;
        QTest::newRow("no data") << QByteArrayList{"y\x01\x06sss"} << 0 << u"6: "_s;
        QTest::newRow("polls only") << QByteArrayList{"ss"} << 2 << QString();
        QTest::newRow("header cut short") << QByteArrayList{"y\x01"} << 0 << u"只收到 2 个字节"_s;
        QTest::newRow("fixed byte 2") << QByteArrayList{"y\x02\x01" "abcsss"} << 0 << u"应为 0x01，收到 0x02"_s;
        QTest::newRow("speed 0") << QByteArrayList{"y\x01\0sss"_ba} << 0 << u"应为 1 到 6，收到 0x00"_s;
        QTest::newRow("speed 7") << QByteArrayList{"y\x01\x07" "abcsss"} << 0 << u"应为 1 到 6，收到 0x07"_s;
        QTest::newRow("two s only") << QByteArrayList{"y\x01\x06ss"} << 0 << u"应为 0x73 0x73 0x73"_s;
        QTest::newRow("two back to back") << QByteArrayList{"y\x01\x05" "absssy\x01\x03" "cdsss"} << 0 << u"5: ab | 3: cd"_s;
        QTest::newRow("second header in pieces") << QByteArrayList{"y\x01\x05" "absss", "y\x01", "\x02sss"} << 0 << u"5: ab | 2: "_s;
        QTest::newRow("no whole header after sss") << QByteArrayList{"y\x01\x05" "sssy\x01\x07" "sss"} << 0 << u"5: sssy\x01\x07"_s;
        QTest::newRow("noise before header") << QByteArrayList{"sQy\x01\x01sss"} << 1 << u"意外的字节 0x51"_s;
    }
    void streams()
    {
        QFETCH(QByteArrayList, pieces);
        QFETCH(int, polls);
        QFETCH(QString, result);
        TransferReceiver receiver;
        int counted = 0;
        QList<Transfer> transfers;
        for (const QByteArray &piece : pieces) {
            counted += receiver.feed(piece);
            transfers += receiver.takeFinished();
        }
        if (const std::optional<Transfer> last = receiver.lineQuiet())
            transfers << *last;
        QCOMPARE(counted, polls);
        QStringList taken;
        for (const Transfer &transfer : transfers)
            taken << u"%1: %2"_s.arg(transfer.speedCode).arg(QString::fromLatin1(transfer.data));
        if (receiver.status() == TransferReceiver::Status::Failed)
            QVERIFY2(receiver.error().contains(result), qPrintable(receiver.error()));
        else
            QCOMPARE(taken.join(u" | "_s), result);
    }

    // A usage error ends with 2, as with the other tools; so does a device that
    // cannot be opened, with one line holding the system's reason.
    void commandLine()
    {
        const ProgramRun unknown = runProgram(boardProgram, {"--bogus"});
        QCOMPARE(unknown.exitCode, 2);
        QVERIFY2(unknown.err.startsWith(u"命令行错误：Unknown option 'bogus'.\n"_s), qPrintable(unknown.err));
        const ProgramRun missing = runProgram(boardProgram, {"--device", "/dev/nonexistent"});
        QCOMPARE(missing.exitCode, 2);
        QCOMPARE(missing.err, u"无法打开串口设备 /dev/nonexistent：No such file or directory\n"_s);
    }

    // The firmware's rules decide: the length rule and the store's capacity.
    void boardDecision()
    {
        const auto refusal = [](const QByteArray &data, int speedCode) {
            const ledglyph::Status accepted = checkBoardAccepts(data, speedCode);
            return accepted.ok() ? u"accepted"_s : accepted.error().message;
        };
        QCOMPARE(refusal(QByteArray(32 + 353, 1), 6), u"accepted"_s);
        QCOMPARE(refusal("first"_ba, 2), u"字模数据 5 字节，不是 32×字数+353（至少 1 个字）"_s);
        QCOMPARE(refusal(QByteArray(32 * 1013 + 353, 1), 1), u"字模数据 32769 字节，超过显示板的容量 32737 字节"_s);
        QCOMPARE(refusal(QByteArray(32 + 353, 1), 7), u"传输头错误"_s);
    }

    // One lit dot in the top row, the 16th column, moves left one column every
    // 30 ms at speed 1; a glyph file the board refuses gives no picture.
    void filmStrip()
    {
        QByteArray glyphs(32 + 353, '\xFF'); // inverted: every dot dark
        glyphs[0] = '\x7F';                  // cell 0, top row, left byte: column 15 lit
        const QImage strip = ledglyph::preview::filmStrip(glyphs, 1, {0, 150});
        QCOMPARE(strip.size(), QSize(64 * 8 + 16, 2 * (16 * 8 + 16)));
        const auto lit = [&](int frame, int row, int column) {
            return strip.pixel(8 + column * 8 + 4, frame * (16 * 8 + 16) + 8 + row * 8 + 4) == qRgb(255, 48, 32);
        };
        QVERIFY(lit(0, 0, 15) && !lit(0, 0, 14) && !lit(0, 1, 15));
        QVERIFY(lit(1, 0, 10) && !lit(1, 0, 15));

        QTemporaryDir dir;
        writeFile(dir.filePath(u"short.bin"_s), glyphs.chopped(1));
        const QStringList arguments{"--glyphs", dir.filePath(u"short.bin"_s), "--frames", dir.filePath(u"strip.png"_s)};
        QCOMPARE(runProgram(boardProgram, arguments).exitCode, 1);
        QVERIFY(!QFileInfo::exists(dir.filePath(u"strip.png"_s)));
    }

    void cellDrawing()
    {
        const QByteArray cell = "\x80\x01"_ba + QByteArray(28, '\0') + "\x0F\xF0"_ba;
        QCOMPARE(drawCell(cell), u"#..............#\n"_s + u"................\n"_s.repeated(14) + u"....########....\n"_s);
    }
};

QTEST_GUILESS_MAIN(BoardReceiverTest)
#include "test_board_receiver.moc"
