// ledglyph-cli download as a whole program: its command line, its refusal to
// ask without a terminal, the --wait limit and Ctrl-C during a transfer, over
// a socat pseudo-terminal pair whose far end the test plays. The way to a
// board that takes the bytes is tested in the simulated 8051 (label ucsim).

#include "tests/support/test_files.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <fcntl.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

const QString cli = QStringLiteral(LEDGLYPH_APPDIR "/ledglyph-cli");

// A socat pseudo-terminal pair: the program on `near`, the test on `far`.
struct Line {
    QTemporaryDir dir;
    QString near = dir.filePath(u"near"_s);
    QString far = dir.filePath(u"far"_s);
    QProcess socat;

    bool start()
    {
        socat.start(u"socat"_s, {"pty,raw,echo=0,link=" + near, "pty,raw,echo=0,link=" + far});
        return socat.waitForStarted(5000)
               && QTest::qWaitFor([&] { return QFileInfo::exists(near) && QFileInfo::exists(far); }, 5000);
    }
    ~Line()
    {
        socat.kill();
        socat.waitForFinished(3000);
    }
};

struct Run {
    int exitCode = -1;
    QString errors;
};

Run finished(QProcess &process, int ms)
{
    if (!process.waitForFinished(ms))
        return {};
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardError())};
}

} // namespace

class TestCliDownload : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_glyphs = m_dir.filePath(u"zimuo.bin"_s);

private slots:
    void initTestCase() { ledglyph::test::writeFile(m_glyphs, QByteArray(32 * 1012 + 353, 0x5A)); }

    void usageErrors_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("message");
        QTest::newRow("no file") << QStringList{"--yes"} << u"请给出一个字模文件。"_s;
        QTest::newRow("speed 0") << QStringList{m_glyphs, "--yes", "--speed", "0"} << u"--speed 的值“0”无效"_s;
        QTest::newRow("speed 7") << QStringList{m_glyphs, "--yes", "--speed", "7"} << u"--speed 的值“7”无效"_s;
        QTest::newRow("wait 0") << QStringList{m_glyphs, "--yes", "--wait", "0"} << u"--wait 的值“0”无效"_s;
        QTest::newRow("unknown option") << QStringList{m_glyphs, "--bogus"} << u"Unknown option 'bogus'."_s;
        // Standard input of a test is no terminal: the confirmation cannot be asked.
        QTest::newRow("no terminal to ask on") << QStringList{m_glyphs} << u"标准输入不是终端，无法询问是否下载"_s;
    }
    void usageErrors()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, message);
        QProcess process;
        process.start(cli, QStringList{"download"} + arguments);
        const Run run = finished(process, 10000);
        QCOMPARE(run.exitCode, 2);
        QVERIFY2(run.errors.contains(message), qPrintable(run.errors));
    }

    void givesUpPollingAfterWait()
    {
        Line line;
        QVERIFY(line.start());
        QProcess process;
        process.start(cli, {"download", m_glyphs, "--device", line.near, "--yes", "--wait", "1"});
        const Run run = finished(process, 10000);
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.errors.endsWith(u"1 秒内没有收到单片机信号，已放弃；没有发送字模。\n"_s), qPrintable(run.errors));
    }

    // The board answers and then takes nothing: the bytes queue up; Ctrl-C
    // throws them away, says so and fails.
    void ctrlCDuringATransferDiscardsTheQueue()
    {
        Line line;
        QVERIFY(line.start());
        // A plain descriptor, read only here: the event loop must not take the bytes.
        const int board = ::open(QFile::encodeName(line.far).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        QVERIFY(board >= 0);
        const auto closeBoard = qScopeGuard([&] { ::close(board); });
        QProcess process;
        process.start(cli, {"download", m_glyphs, "--device", line.near, "--yes"});
        char poll = 0;
        QVERIFY(QTest::qWaitFor([&] { return ::read(board, &poll, 1) == 1 && poll == 's'; }, 10000));
        QCOMPARE(::write(board, "s", 1), 1);
        QByteArray said;
        QTRY_VERIFY2_WITH_TIMEOUT((said += process.readAllStandardError()).contains("开始下载"), said.constData(), 10000);
        QTest::qWait(500);
        QCOMPARE(process.state(), QProcess::Running);
        ::kill(pid_t(process.processId()), SIGINT);
        const Run run = finished(process, 10000);
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.errors.endsWith(u"下载已取消：字模没有下载完成，未发送的数据已丢弃。\n"_s), qPrintable(run.errors));
    }
};

QTEST_GUILESS_MAIN(TestCliDownload)
#include "test_cli_download.moc"
