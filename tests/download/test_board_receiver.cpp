// The board simulator's command line, the board's decision on a glyph file,
// its film strip and its dot drawing. Its line, driven by the firmware's
// receiver, is tried end to end in test_download_end_to_end.

#include "preview/board_rules.h"
#include "preview/drawing/matrix_drawing.h"
#include "tools/board/glyph_dots.h"

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

// A run of the board program: its arguments, exit code and the start of its
// standard error.
struct CommandLineCase {
    QStringList arguments;
    int exitCode = 0;
    QString err;
};
Q_DECLARE_METATYPE(CommandLineCase)

class BoardReceiverTest : public QObject {
    Q_OBJECT

private slots:
    // A usage error ends with 2, as with the other tools (--idle is gone: the
    // firmware decides when a transfer ends); a device that cannot be opened
    // with 1 and one line holding the system's reason.
    void commandLine_data()
    {
        QTest::addColumn<CommandLineCase>("run");
        QTest::newRow("unknown") << CommandLineCase{.arguments = {"--bogus"}, .exitCode = 2, .err = u"命令行错误：Unknown option 'bogus'.\n"_s};
        QTest::newRow("idle") << CommandLineCase{.arguments = {"--device", "d", "--idle", "1"}, .exitCode = 2,
                                                 .err = u"命令行错误：--idle 已取消：显示板按固件的规则，在线路静止 500 毫秒后"_s};
        QTest::newRow("no device") << CommandLineCase{.arguments = {"--device", "/dev/nonexistent"}, .exitCode = 1,
                                                      .err = u"无法打开串口设备 /dev/nonexistent：No such file or directory\n"_s};
    }
    void commandLine()
    {
        QFETCH(CommandLineCase, run);
        const ProgramRun board = runProgram(boardProgram, run.arguments);
        QCOMPARE(board.exitCode, run.exitCode);
        QVERIFY2(board.err.startsWith(run.err), qPrintable(board.err));
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
