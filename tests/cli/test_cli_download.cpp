// ledglyph-cli download as a whole program: its command line, the files and
// the terminal it refuses, the --wait limit, Ctrl-C and the device it takes
// for COM1 (with ledglyph-cli ports), over a socat pseudo-terminal pair
// whose board end the test plays. The way to a
// board that takes the bytes is tested in the simulated 8051 (label ucsim).

#include "tests/support/pty_pair.h"
#include "tests/support/test_files.h"

#include <QScopeGuard>

#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace ledglyph::test;
using namespace Qt::StringLiterals;

const QString cli = builtProgram(u"ledglyph-cli"_s);

class TestCliDownload : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_glyphs = m_dir.filePath(u"zimuo.bin"_s);
    QString m_empty = m_dir.filePath(u"empty.bin"_s);
    QString m_fifo = m_dir.filePath(u"fifo.bin"_s);

private slots:
    // The largest file taken: more than socat's two pseudo-terminals hold
    // (about 34 KiB), so that a transfer to a board that reads nothing queues up.
    void initTestCase()
    {
        writeFile(m_glyphs, QByteArray(64 * 1024, 0x5A));
        writeFile(m_empty, {});
        QCOMPARE(::mkfifo(QFile::encodeName(m_fifo).constData(), 0600), 0);
    }

    // What the program says last, with its exit code.
    void refusals_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message");
        QTest::newRow("no file") << QStringList{"--yes"} << 2 << u"请给出一个字模文件。"_s;
        QTest::newRow("speed 0") << QStringList{m_glyphs, "--yes", "--speed", "0"} << 2 << u"--speed 的值“0”无效"_s;
        QTest::newRow("speed 7") << QStringList{m_glyphs, "--yes", "--speed", "7"} << 2 << u"--speed 的值“7”无效"_s;
        QTest::newRow("wait 0") << QStringList{m_glyphs, "--yes", "--wait", "0"} << 2 << u"--wait 的值“0”无效"_s;
        // Standard input of a test is no terminal: the confirmation cannot be asked.
        QTest::newRow("no terminal to ask on") << QStringList{m_glyphs} << 2 << u"标准输入不是终端，无法询问是否下载"_s;
        // The file is no glyph file the reference board takes: a warning first.
        QTest::newRow("no such device") << QStringList{m_glyphs, "--yes", "--device", "/dev/ledglyph-no-such-port"} << 1
                                        << u"注意：文件大小 65536 字节不是本软件生成的字模文件的大小（32×字数＋353 字节），参考单片机会拒收。\n"
                                           u"无法打开串口 COM1（设备 /dev/ledglyph-no-such-port）。\n请检查串口线和设备是否存在、"
                                           u"是否被其他程序占用。\n系统信息：No such file or directory\n"_s;
        QTest::newRow("empty file") << QStringList{m_empty, "--yes"} << 1
                                    << u"字模文件 %1 是空的（0 字节），没有可以下载的字模。\n没有发送任何数据。\n"_s.arg(m_empty);
        // It would block for ever, --wait or not.
        QTest::newRow("a pipe") << QStringList{m_fifo, "--yes", "--wait", "2"} << 1
                                << u"%1 不是普通文件（不能是文件夹、设备或管道），不能作为字模文件。\n"_s.arg(m_fifo);
        // The device given is a line where no board answers.
        QTest::newRow("no board within --wait") << QStringList{m_glyphs, "--yes", "--wait", "1", "--device"} << 1
                                                << u"1 秒内没有收到单片机信号，已放弃；没有发送字模。\n"_s;
    }
    void refusals()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, message);
        PtyPair line;
        if (arguments.last() == u"--device") {
            QVERIFY(line.start());
            arguments << line.senderEnd;
        }
        const ProgramRun run = runProgram(cli, QStringList{"download"} + arguments);
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
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
