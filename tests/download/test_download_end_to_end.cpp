// The download end to end: the window (offscreen, scripted boxes) on one end
// of a socat pseudo-terminal pair, the board simulator ledglyph-board on the
// other, and a zimuo.bin made by the converter travelling between them. Also
// the serial adapter on the same kind of line.

#include "core/conversion_run.h"
#include "download/download_window.h"
#include "platform/serial/com1_ports.h"
#include "platform/serial/qt_serial_link.h"
#include "tests/support/pty_pair.h"
#include "tests/support/test_desktop.h"
#include "tests/support/test_files.h"
#include "tests/support/window_controls.h"

#include <QComboBox>
#include <QPushButton>
#include <QScopeGuard>
#include <QSerialPort>

using namespace ledglyph;
using namespace ledglyph::test;
using namespace Qt::StringLiterals;

namespace {

// The board simulator listening on the board's end of the line.
struct BoardLine : PtyPair {
    const QString received = dir.filePath(u"received.bin"_s); // the board saves here
    HelperProcess board;
    QByteArray output;

    // Starts socat, then the board with `options`. False, with the reason in
    // the test log, when either does not start.
    bool start(const QStringList &options)
    {
        if (!PtyPair::start())
            return false;
        board.setProcessChannelMode(QProcess::MergedChannels);
        board.start(builtProgram(u"ledglyph-board"_s), QStringList{"--device", boardEnd, "--out", received} + options);
        // Ready once it reports the open device (or it ended at once).
        return QTest::qWaitFor([&] { return said().contains(u"就绪") || board.state() == QProcess::NotRunning; }, 5000)
               && board.state() == QProcess::Running;
    }

    // The board's exit code once it has ended, −1 when it did not end.
    int finish()
    {
        const bool ended = QTest::qWaitFor([&] { return board.state() == QProcess::NotRunning; }, 20000);
        return ended && board.exitStatus() == QProcess::NormalExit ? board.exitCode() : -1;
    }

    // All the board printed so far, its messages and its report.
    QString said() { return QString::fromUtf8(output += board.readAll()); }
};

} // namespace

class DownloadEndToEndTest : public QObject {
    Q_OBJECT

private slots:
    // Converted with the program's own fonts and sent by the window as a user
    // would: its end of the line found through LEDGLYPH_COM1, the boxes answered
    // OK, and no box but the DB9 prompt, the confirmation and "串口下载完成".
    void glyphFileReachesTheBoard()
    {
        BoardLine line;
        QVERIFY(line.start({"--once", "--answer-delay", "250"}));
        TestDesktop desktop(line.dir.path(), testTime().time());
        ConversionRun conversion(QStringLiteral(LEDGLYPH_APPDIR), line.dir.path(), desktop.clock);
        QVERIFY(conversion.run(u"点阵ABC"_s, ConversionOptions{}).kind == RunOutcome::Kind::Completed);

        qputenv("LEDGLYPH_COM1", line.senderEnd.toLocal8Bit());
        const auto unset = qScopeGuard([] { qunsetenv("LEDGLYPH_COM1"); });
        desktop.services.makeSerialLink = makeCom1Link;
        DownloadWindow window(desktop.services);
        window.show();
        const DownloadWindowControls form3(&window);
        // The speed alone goes into the header.
        form3.displayModeList()->setCurrentIndex(5);
        form3.speedList()->setCurrentIndex(2);
        desktop.host.files << line.dir.filePath(u"zimuo.bin"_s);
        form3.openFileButton()->click();
        form3.openPortButton()->click();

        QTRY_VERIFY_WITH_TIMEOUT(window.logText().contains(u"下载完成 OK！"_s), 20000);
        QCOMPARE(line.finish(), 0);
        QCOMPARE(readFile(line.received), readFile(line.dir.filePath(u"zimuo.bin"_s)));
        QVERIFY2(line.said().contains(u"速度代码：3\n字节数：513\n已保存到：%1\n显示板接受。\n字模 1：\n"_s.arg(line.received)),
                 qPrintable(line.said()));
        QCOMPARE(desktop.host.shown.size(), 3);
    }

    // Two downloads one right after the other, as a script or a quick retry
    // makes them: the board takes both, since each keeps the line quiet until
    // the board has decided before it reports completion.
    void downloadsBackToBack()
    {
        BoardLine line;
        QVERIFY(line.start({}));
        const QString glyphs = line.dir.filePath(u"zimuo.bin"_s);
        writeFile(glyphs, QByteArray(3 * 32, '\x5A') + QByteArray(353, '\0'));
        for (const char *speed : {"1", "6"}) {
            const ProgramRun download = runProgram(builtProgram(u"ledglyph-cli"_s),
                {"download", glyphs, "--device", line.senderEnd, "--yes", "--wait", "5", "--speed", speed});
            QVERIFY2(download.exitCode == 0, qPrintable(download.err));
        }
        QTRY_COMPARE_WITH_TIMEOUT(line.said().count(u"显示板接受。"_s), 2, 5000);
        QVERIFY2(line.said().contains(u"速度代码：6\n"_s) && !line.said().contains(u"不接受"_s), qPrintable(line.said()));
    }

    // The serial adapter closed right after writing still delivers every
    // queued byte. Two transfers back to back, a header right after a trailer,
    // are one transfer to the board: ledglyph-board --once reports that the
    // board refused its length, every byte counted, and keeps nothing.
    void adapterDeliversTwoTransfersBackToBack()
    {
        BoardLine line;
        QVERIFY(line.start({"--once"}));
        const QByteArray first(32 * 1000 + 353, 'd');
        QtSerialLink port(line.senderEnd);
        const Status opened = port.open(LineSettings::download());
        QVERIFY2(opened.ok(), qPrintable(opened.ok() ? QString() : opened.error().message));
        QVERIFY(port.write("s\x79\x01\x02"_ba + first + "sss" "\x79\x01\x05" "second" "sss"_ba));
        port.close();
        QVERIFY(!port.isOpen());
        QCOMPARE(line.finish(), 1);
        QVERIFY2(line.said().contains(u"显示板不接受：字模数据 32365 字节，不是 32×字数+353（至少 1 个字）；保留原来的字模。"_s),
                 qPrintable(line.said()));
        QVERIFY(!QFileInfo::exists(line.received));
    }

    // The board answers polls as its firmware does: bytes that no answer
    // announced are ignored; a poll already on its way when the board
    // answered gets no answer, one 500 ms or more after the answer gets one.
    void boardAnswersAsItsFirmware()
    {
        BoardLine line;
        QVERIFY(line.start({}));
        QSerialPort sender(line.senderEnd);
        QVERIFY(sender.open(QIODevice::ReadWrite));
        const auto answer = [&](const QByteArray &bytes, int waitMs) {
            sender.write(bytes);
            QTest::qWait(waitMs);
            return sender.readAll();
        };
        QCOMPARE(answer("x", 300), QByteArray());
        QCOMPARE(answer("s", 200), "s"_ba);
        QCOMPARE(answer("s", 550), QByteArray()); // 200 ms after the answer
        QCOMPARE(answer("s", 200), "s"_ba);       // 750 ms after it
        QVERIFY2(line.said().contains(u"收到没有经过应答的字节，显示板不予理会。\n"_s), qPrintable(line.said()));
    }
};

QTEST_MAIN(DownloadEndToEndTest)
#include "test_download_end_to_end.moc"
