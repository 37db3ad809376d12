// The download end to end: the window (offscreen, scripted boxes) on one end
// of a socat pseudo-terminal pair, the board simulator ledglyph-board on the
// other, and a zimuo.bin made by the converter travelling between them. Also
// the serial adapter on the same kind of line.

#include "core/conversion_run.h"
#include "download/download_window.h"
#include "download_test_support.h"
#include "platform/serial/com1_device.h"
#include "platform/serial/ms_comm1.h"
#include "tests/support/pty_pair.h"

#include <QComboBox>

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
        board.start(QStringLiteral(LEDGLYPH_APPDIR "/ledglyph-board"),
                    QStringList{"--device", boardEnd, "--out", received} + options);
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
    // would: its end of the line found through LEDGLYPH_COM1, the boxes answered OK.
    void glyphFileReachesTheBoard()
    {
        BoardLine line;
        QVERIFY(line.start({"--once", "--answer-delay", "250"}));
        TestDesktop desktop(line.dir.path(), testTime().time());
        ConversionRun conversion(QStringLiteral(LEDGLYPH_APPDIR), line.dir.path(), desktop.clock);
        QVERIFY(conversion.run(u"点阵ABC"_s, ConversionOptions{}).kind == RunOutcome::Kind::Completed);
        const QByteArray glyphs = readFile(line.dir.filePath(u"zimuo.bin"_s));
        QCOMPARE(glyphs.size(), 32 * 5 + 353);

        qputenv("LEDGLYPH_COM1", line.senderEnd.toLocal8Bit());
        desktop.services.makeSerialLink = makeCom1Link;
        DownloadWindow window(desktop.services);
        qunsetenv("LEDGLYPH_COM1");
        window.show();
        // The speed alone goes into the header.
        window.findChild<QComboBox *>(u"Combo1"_s)->setCurrentIndex(5);
        window.findChild<QComboBox *>(u"Combo2"_s)->setCurrentIndex(2);
        desktop.host.files << line.dir.filePath(u"zimuo.bin"_s);
        click(window, "Command4");
        click(window, "Command1");

        const LogLines lines(testTime());
        const QString exchange = lines.opened + lines.signal + lines.downloading + lines.completed;
        QTRY_VERIFY_WITH_TIMEOUT(window.logText().endsWith(exchange), 20000);
        QCOMPARE(line.finish(), 0);
        QCOMPARE(readFile(line.received), glyphs);
        QVERIFY2(line.said().contains(u"速度代码：3\n字节数：513\n已保存到：%1\n显示板接受。\n字模 1：\n"_s.arg(line.received)),
                 qPrintable(line.said()));
        QCOMPARE(desktop.host.styles(), u"48 33 64"_s);
    }

    // Closing right after writing still delivers every queued byte.
    void adapterClosesOnlyAfterQueuedBytesLeft()
    {
        BoardLine line;
        QVERIFY(line.start({"--once"}));
        QByteArray data(60000, '\0');
        for (int i = 0; i < data.size(); ++i)
            data[i] = static_cast<char>(i % 251);
        MSComm1 port(line.senderEnd);
        QCOMPARE(port.open(LineSettings::download()), std::nullopt);
        QVERIFY(port.write("\x79\x01\x02"_ba + data + "sss"_ba));
        port.close();
        QVERIFY(!port.isOpen());
        QCOMPARE(line.finish(), 0);
        QCOMPARE(readFile(line.received), data);
    }

    // A header right after a trailer starts a new transfer: with --once the
    // board keeps the first and reports the second as an error; without it,
    // each is taken on its own.
    void twoTransfersBackToBack_data()
    {
        QTest::addColumn<bool>("once");
        QTest::newRow("--once") << true;
        QTest::newRow("each taken") << false;
    }
    void twoTransfersBackToBack()
    {
        QFETCH(bool, once);
        BoardLine line;
        QVERIFY(line.start(once ? QStringList{"--once"} : QStringList{}));
        MSComm1 port(line.senderEnd);
        QCOMPARE(port.open(LineSettings::download()), std::nullopt);
        QVERIFY(port.write("\x79\x01\x02" "first" "sss" "\x79\x01\x05" "second" "sss"_ba));
        const QString first = u"速度代码：2\n字节数：5\n"_s;
        const QString second = once ? u"第一次传输之后又收到第 2 次传输（速度代码：5，字节数：6）"_s
                                    : u"速度代码：5\n字节数：6\n已保存到"_s;
        QTRY_VERIFY2_WITH_TIMEOUT(line.said().contains(second), qPrintable(line.said()), 10000);
        QVERIFY(line.said().contains(first));
        if (once)
            QCOMPARE(line.finish(), 1);
        QCOMPARE(readFile(line.received), once ? "first"_ba : "second"_ba);
    }
};

QTEST_MAIN(DownloadEndToEndTest)
#include "test_download_end_to_end.moc"
