// The download end to end: the window (offscreen, scripted boxes) or
// ledglyph-cli download on one end of a socat pseudo-terminal pair, the board
// simulator ledglyph-board on the other, and a zimuo.bin made by the
// converter travelling between them. Also the serial adapter on the same kind
// of line, and ledglyph-cli download where the test plays the board: the
// --wait limit, Ctrl-C and the device it takes for COM1 (with ledglyph-cli
// ports). What ledglyph-cli download refuses before it opens a port is
// test_cli's; the way to a board that takes the bytes is tested in the
// simulated 8051 (label ucsim).

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

#include <csignal>
#include <fcntl.h>
#include <unistd.h>

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

    const QString cli = builtProgram(u"ledglyph-cli"_s);
    QTemporaryDir m_dir;
    QString m_glyphs = m_dir.filePath(u"zimuo.bin"_s);

private slots:
    // The largest file taken: more than socat's two pseudo-terminals hold
    // (about 34 KiB), so that a transfer to a board that reads nothing queues up.
    void initTestCase() { writeFile(m_glyphs, QByteArray(64 * 1024, 0x5A)); }

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
            const ProgramRun download =
                runProgram(cli, {"download", glyphs, "--device", line.senderEnd, "--yes", "--wait", "5", "--speed", speed});
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

    // `ports` and a download without --device take COM1 as the window does;
    // LEDGLYPH_COM1 names a line where no board answers, and the download
    // gives up after --wait. The runs keep away from the user's own settings.
    void com1AsTheWindowTakesIt()
    {
        PtyPair line;
        QVERIFY(line.start());
        const QStringList environment{"LEDGLYPH_COM1=" + line.senderEnd, "XDG_CONFIG_HOME=" + m_dir.filePath(u"config"_s)};
        const ProgramRun ports = runProgram(cli, {"ports"}, environment);
        QCOMPARE(ports.exitCode, 0);
        QVERIFY2(ports.out.endsWith(u"\nCOM1 = %1：由环境变量 LEDGLYPH_COM1 指定\n"_s.arg(line.senderEnd)), qPrintable(ports.out));
        const ProgramRun download = runProgram(cli, {"download", m_glyphs, "--yes", "--wait", "1"}, environment);
        QCOMPARE(download.exitCode, 1);
        QVERIFY2(download.err.contains(u"正在轮询单片机（%1）"_s.arg(line.senderEnd))
                     && download.err.endsWith(u"1 秒内没有收到单片机信号，已放弃；没有发送字模。\n"_s),
                 qPrintable(download.err));
    }

    // The board answers the first poll and then takes nothing: Ctrl-C while
    // the bytes queue up throws them away, says so and fails. Ctrl-C while the
    // confirmation waits for an answer on the terminal ends the program at
    // once, and nothing but polls went out.
    void ctrlC_data()
    {
        QTest::addColumn<bool>("atThePrompt");
        QTest::addColumn<QString>("lastWords");
        QTest::newRow("during a transfer") << false << u"下载已取消：字模没有下载完成，未发送的数据已丢弃。\n"_s;
        QTest::newRow("at the prompt") << true << u"现在下载吗？[y/N] \n已中断：没有发送字模。\n"_s;
    }
    void ctrlC()
    {
        QFETCH(bool, atThePrompt);
        QFETCH(QString, lastWords);
        PtyPair line;
        PtyPair console; // its sender end is the program's terminal
        QVERIFY(line.start() && console.start());
        // A plain descriptor, read only here: the event loop must not take the bytes.
        const int board = ::open(QFile::encodeName(line.boardEnd).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        QVERIFY(board >= 0);
        const auto closeBoard = qScopeGuard([&] { ::close(board); });
        QProcess process;
        process.setStandardInputFile(console.senderEnd);
        process.start(cli, QStringList{"download", m_glyphs, "--device", line.senderEnd} << (atThePrompt ? "--speed=2" : "--yes"));
        char poll = 0;
        QVERIFY(QTest::qWaitFor([&] { return ::read(board, &poll, 1) == 1 && poll == 's'; }, 10000));
        QCOMPARE(::write(board, "s", 1), 1);
        QByteArray said;
        const QByteArray waitFor = atThePrompt ? "[y/N] " : "开始下载";
        QTRY_VERIFY2_WITH_TIMEOUT((said += process.readAllStandardError()).contains(waitFor), said.constData(), 10000);
        QTest::qWait(500);
        QVERIFY2(process.state() == QProcess::Running, (said + process.readAllStandardError()).constData());
        ::kill(pid_t(process.processId()), SIGINT);
        QVERIFY(process.waitForFinished(3000));
        QCOMPARE(process.exitCode(), 1);
        said += process.readAllStandardError();
        QVERIFY2(said.endsWith(lastWords.toUtf8()), said.constData());
        QByteArray sent(70000, '\0');
        sent.truncate(qMax<ssize_t>(0, ::read(board, sent.data(), sent.size())));
        if (atThePrompt)
            QCOMPARE(sent, QByteArray(sent.size(), 's'));
    }
};

QTEST_MAIN(DownloadEndToEndTest)
#include "test_download_end_to_end.moc"
