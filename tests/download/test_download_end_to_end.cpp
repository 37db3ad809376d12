// The download end to end: the window (offscreen, scripted boxes) on one end
// of a socat pseudo-terminal pair, the board simulator ledglyph-board on the
// other, and a zimuo.bin made by the converter travelling between them. Also
// the serial adapter on the same kind of line.

#include "board_line.h"
#include "platform/serial/ms_comm1.h"
#include "window_sending.h"

using namespace ledglyph;
using namespace ledglyph::test;
using namespace Qt::StringLiterals;

class DownloadEndToEndTest : public QObject {
    Q_OBJECT

private slots:
    void glyphFileReachesTheBoard()
    {
        BoardLine line;
        QVERIFY(line.start({"--once", "--answer-delay", "250"}));

        // zimuo.bin of five characters from the converter, with the program's own fonts.
        TestDesktop desktop(line.dir.path(), testTime().time());
        const QByteArray glyphs = convertedGlyphFile(u"点阵ABC"_s, line.dir.path(), desktop.clock);
        QCOMPARE(glyphs.size(), 32 * 5 + 353);
        // The speed alone goes into the header.
        const auto window = windowSending(desktop, line.endA, line.dir.filePath(u"zimuo.bin"_s), 5);

        const LogLines lines(testTime());
        QTRY_VERIFY_WITH_TIMEOUT(window->logText().endsWith(lines.opened + lines.signal + lines.downloading + lines.completed), 20000);
        QCOMPARE(line.finish(), 0);
        QCOMPARE(readFile(line.received), glyphs);
        QVERIFY2(line.output().contains(u"速度代码：3\n字节数：513\n已保存到：%1\n显示板接受。\n字模 1：\n"_s.arg(line.received)),
                 qPrintable(line.output()));
        QCOMPARE(desktop.host.styles(), u"48 33 64"_s);
        QCOMPARE(formState(*window), u"on off off stopped"_s);
    }

    // Closing right after writing still delivers every queued byte.
    void adapterClosesOnlyAfterQueuedBytesLeft()
    {
        BoardLine line;
        QVERIFY(line.start({"--once"}));
        QByteArray data(60000, '\0');
        for (int i = 0; i < data.size(); ++i)
            data[i] = static_cast<char>(i % 251);
        MSComm1 port(line.endA);
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
        MSComm1 port(line.endA);
        QCOMPARE(port.open(LineSettings::download()), std::nullopt);
        QVERIFY(port.write("\x79\x01\x02" "first" "sss" "\x79\x01\x05" "second" "sss"_ba));
        const QString first = u"速度代码：2\n字节数：5\n"_s;
        const QString second = once ? u"第一次传输之后又收到第 2 次传输（速度代码：5，字节数：6）"_s
                                    : u"速度代码：5\n字节数：6\n已保存到"_s;
        QTRY_VERIFY2_WITH_TIMEOUT(line.output().contains(second), qPrintable(line.output()), 10000);
        QVERIFY(line.output().contains(first));
        if (once)
            QCOMPARE(line.finish(), 1);
        QCOMPARE(readFile(line.received), once ? "first"_ba : "second"_ba);
    }

    void missingDeviceIsReportedWithAReason()
    {
        MSComm1 port(u"/dev/ledglyph-no-such-port"_s);
        const std::optional<QString> reason = port.open(LineSettings::download());
        QVERIFY(reason && !reason->isEmpty());
        QVERIFY(!port.isOpen());
        QVERIFY(!port.write("s"));
    }
};

QTEST_MAIN(DownloadEndToEndTest)
#include "test_download_end_to_end.moc"
