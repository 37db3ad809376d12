// ledglyph-cli download as a whole program over a socat pseudo-terminal pair
// whose board end the test plays: the --wait limit, Ctrl-C and the device it
// takes for COM1 (with ledglyph-cli ports). What it refuses before it opens a
// port is test_cli's; the way to a board that takes the bytes is tested in
// the simulated 8051 (label ucsim).

#include "tests/support/pty_pair.h"
#include "tests/support/test_files.h"

#include <QScopeGuard>

#include <csignal>
#include <fcntl.h>
#include <unistd.h>

using namespace ledglyph::test;
using namespace Qt::StringLiterals;

const QString cli = builtProgram(u"ledglyph-cli"_s);

class TestCliDownload : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_glyphs = m_dir.filePath(u"zimuo.bin"_s);

private slots:
    // The largest file taken: more than socat's two pseudo-terminals hold
    // (about 34 KiB), so that a transfer to a board that reads nothing queues up.
    void initTestCase() { writeFile(m_glyphs, QByteArray(64 * 1024, 0x5A)); }

    // A line where no board answers: the program gives up after --wait.
    void noBoardWithinTheWait()
    {
        PtyPair line;
        QVERIFY(line.start());
        const ProgramRun run = runProgram(cli, {"download", m_glyphs, "--yes", "--wait", "1", "--device", line.senderEnd});
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.endsWith(u"1 秒内没有收到单片机信号，已放弃；没有发送字模。\n"_s), qPrintable(run.err));
    }

    // `ports` and a download without --device take COM1 as the window does;
    // LEDGLYPH_COM1 names a line where no board answers. The runs keep away
    // from the user's own settings.
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
        QVERIFY2(download.err.contains(u"正在轮询单片机（%1）"_s.arg(line.senderEnd)), qPrintable(download.err));
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

QTEST_GUILESS_MAIN(TestCliDownload)
#include "test_cli_download.moc"
