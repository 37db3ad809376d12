// The exchange with the board against a fake serial link: what counts as the
// board's signal, the bytes of a transfer, the log lines, and the faults.

#include "download/download_protocol.h"
#include "download_fakes.h"
#include "platform/date_time_text.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace ledglyph;
using namespace ledglyph::testing;

namespace {

const QDateTime at(QDate(2008, 3, 22), QTime(21, 5, 33));
const QString crlf = QStringLiteral("\r\n");
const QString confirmPrompt = QStringLiteral(
    "与单片机连接成功\r\r按下“确定”将字模下载到单片机。\r按下“取消”返回\r"
    "注意：单片机与PC连接后请在一分钟内将字模下载到单片机，\r如超过一分钟请重新连接");

QByteArray patternBytes(int size)
{
    QByteArray bytes(size, '\0');
    for (int i = 0; i < size; ++i)
        bytes[i] = static_cast<char>((i * 7 + 0x73) & 0xFF); // holds 0x73 bytes as well
    return bytes;
}

} // namespace

class DownloadProtocolTest : public QObject {
    Q_OBJECT

private:
    // One protocol with its fakes, a glyph file of `fileSize` bytes chosen, and
    // the speed "变化速度1" selected.
    struct Rig {
        FakeSerialLink link;
        ScriptedMessageBox box;
        FixedClock clock{at};
        DownloadLog log{clock};
        DownloadProtocol protocol{link, box, log};
        QTemporaryDir dir;
        QString path;
        QByteArray content;

        explicit Rig(int fileSize = 449)
        {
            path = dir.filePath(QStringLiteral("zimuo.bin"));
            content = patternBytes(fileSize);
            writeFile(content);
            protocol.chooseFile(path);
            protocol.setSpeedIndex(0);
            log.replace(QStringLiteral("listing"), true);
        }
        void writeFile(const QByteArray &bytes)
        {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(bytes);
        }
        // Opens the port; the poll's bytes so far are forgotten.
        void openPort()
        {
            protocol.openPort();
            protocol.pollTick();
            link.written.clear();
        }
        QByteArray transferOf(int speed) const
        {
            return QByteArray("\x79\x01", 2) + char(speed) + content + QByteArray("sss");
        }
    };
    const QString time = timeText(at.time());

private slots:
    void boardSignal_data()
    {
        QTest::addColumn<QByteArray>("batch");
        QTest::addColumn<bool>("isSignal");
        QTest::newRow("s") << QByteArray("s") << true;
        QTest::newRow("x s") << QByteArray("xs") << true;
        QTest::newRow("NUL s") << QByteArray("\0s", 2) << true;
        QTest::newRow("s x") << QByteArray("sx") << false;
        QTest::newRow("S") << QByteArray("S") << false;
        QTest::newRow("x S") << QByteArray("xS") << false;
        QTest::newRow("y") << QByteArray("y") << false;
    }
    void boardSignal()
    {
        QFETCH(QByteArray, batch);
        QFETCH(bool, isSignal);
        Rig rig;
        rig.openPort();
        rig.box.shown.clear();
        rig.box.answers = {MsgCancel};
        const QString before = rig.log.text();

        rig.link.receive(batch);

        QCOMPARE(rig.protocol.polling(), !isSignal);
        QCOMPARE(rig.protocol.buttons(), (DownloadButtons{false, true, isSignal}));
        if (isSignal) {
            QCOMPARE(rig.log.text(), before + crlf + QStringLiteral("收到单片机信号，与单片机连接成功。 ") + time);
            QCOMPARE(rig.box.shown.size(), 1);
            QCOMPARE(rig.box.shown[0].prompt, confirmPrompt);
            QCOMPARE(rig.box.shown[0].style, 33);
            QCOMPARE(rig.box.shown[0].title, QStringLiteral("Qorvath 欢迎您！！！"));
        } else {
            QCOMPARE(rig.log.text(), before);
            QVERIFY(rig.box.shown.isEmpty());
        }
        QVERIFY(rig.link.written.isEmpty()); // Cancel sends nothing
        QVERIFY(rig.link.isOpen());
    }

    void emptyNotificationChangesNothing()
    {
        Rig rig;
        rig.openPort();
        const QString before = rig.log.text();
        const int boxes = rig.box.shown.size();
        emit rig.link.notified();
        rig.link.receive({});
        QCOMPARE(rig.log.text(), before);
        QCOMPARE(rig.box.shown.size(), boxes);
        QVERIFY(rig.protocol.polling());
        QCOMPARE(rig.protocol.buttons(), (DownloadButtons{false, true, false}));
    }

    void openPortUsesTheLineSettingsAndLogs()
    {
        Rig rig;
        rig.protocol.openPort();
        QCOMPARE(rig.link.openedWith.size(), 1);
        const LineSettings settings = rig.link.openedWith[0];
        QCOMPARE(settings.baudRate, 9600);
        QCOMPARE(settings.parity, false);
        QCOMPARE(settings.dataBits, 8);
        QCOMPARE(settings.stopBits, 1);
        QCOMPARE(settings.flowControl, false);
        QCOMPARE(rig.box.shown.size(), 1);
        QCOMPARE(rig.box.shown[0].style, 48);
        QCOMPARE(rig.box.shown[0].title, QStringLiteral("Qorvath 欢迎您"));
        QCOMPARE(rig.box.shown[0].prompt,
                 QStringLiteral("请用DB9串行线将PC的COM1与单片机连接，之后开启单片机电源。连接成功后才能下载字模\r"
                                "串口设置 端口号：COM1 波特率：9600b/s  奇偶校验：无  数据位：8  停止位：1"));
        QCOMPARE(rig.log.text(), QStringLiteral("listing\r\n串口已打开,等待与单片机的连接。    ") + time);
        QVERIFY(rig.protocol.polling());
    }

    void transferHeaderCarriesTheSpeed_data()
    {
        QTest::addColumn<int>("speedIndex");
        QTest::addColumn<int>("speedCode");
        QTest::newRow("变化速度1") << 0 << 1;
        QTest::newRow("变化速度6") << 5 << 6;
    }
    void transferHeaderCarriesTheSpeed()
    {
        QFETCH(int, speedIndex);
        QFETCH(int, speedCode);
        Rig rig;
        rig.protocol.setSpeedIndex(speedIndex);
        rig.openPort();
        rig.link.receive("s");
        QCOMPARE(rig.link.written.left(3), QByteArray("\x79\x01", 2) + char(speedCode));
    }

    // A 449-byte file (3 characters) gives 3 + 449 + 3 bytes on the line, and
    // the whole sequence writes the log lines and boxes in their exact form.
    void wholeTransferAndItsLog()
    {
        Rig rig(449);
        rig.openPort();
        rig.box.shown.clear();
        rig.link.receive("s");

        QCOMPARE(rig.link.written.size(), 455);
        QCOMPARE(rig.link.written, rig.transferOf(1));
        QCOMPARE(rig.log.text(),
                 QStringLiteral("listing") + crlf + QStringLiteral("串口已打开,等待与单片机的连接。    ") + time
                     + crlf + QStringLiteral("收到单片机信号，与单片机连接成功。 ") + time
                     + crlf + crlf + QStringLiteral("正在下载中，请等待....") + QString(13, u' ') + time
                     + crlf + QStringLiteral("下载完成 OK！") + QString(22, u' ') + time + crlf);
        QCOMPARE(rig.box.styles(), (QList<int>{33, 64}));
        QCOMPARE(rig.box.shown[1].prompt, QStringLiteral("串口下载完成"));
        QCOMPARE(rig.box.shown[1].title, QStringLiteral("Qorvath 欢迎您！！！"));
        QVERIFY(!rig.link.isOpen());
        QCOMPARE(rig.protocol.buttons(), (DownloadButtons{true, false, false}));
        QVERIFY(!rig.protocol.polling());
    }

    void fileIsReadAgainWhenTheTransferStarts()
    {
        Rig rig(449);
        rig.openPort();
        rig.content = patternBytes(481).mid(1); // 480 new bytes on disk since the choice
        rig.writeFile(rig.content);
        rig.link.receive("s");
        QCOMPARE(rig.link.written, rig.transferOf(1));
    }

    void cancelThenNewSpeedThenSend()
    {
        Rig rig;
        rig.openPort();
        rig.box.answers = {MsgCancel};
        rig.link.receive("xs");
        QVERIFY(rig.link.written.isEmpty());
        QCOMPARE(rig.protocol.buttons(), (DownloadButtons{false, true, true}));

        rig.protocol.setSpeedIndex(3);
        rig.protocol.download();
        QCOMPARE(rig.link.written, rig.transferOf(4));
        QCOMPARE(rig.protocol.buttons(), (DownloadButtons{true, false, false}));
    }

    void sendWithoutSpeedIsRefused()
    {
        Rig rig;
        rig.openPort();
        rig.box.answers = {MsgCancel};
        rig.link.receive("s");
        rig.box.shown.clear();
        const QString before = rig.log.text();

        rig.protocol.setSpeedIndex(-1);
        rig.protocol.download();

        QVERIFY(rig.link.written.isEmpty());
        QCOMPARE(rig.log.text(), before);
        QCOMPARE(rig.box.shown.size(), 1);
        QCOMPARE(rig.box.shown[0].style, 64);
        QCOMPARE(rig.box.shown[0].title, QStringLiteral("Qorvath 欢迎您！！！"));
        QCOMPARE(rig.box.shown[0].prompt, QStringLiteral("你还没有选择显示方式和移动速度，谢谢！！！"));
        QCOMPARE(rig.protocol.buttons(), (DownloadButtons{false, true, true}));
        QVERIFY(rig.link.isOpen());
    }

    void portThatCannotBeOpened()
    {
        Rig rig;
        rig.link.openFailure = QStringLiteral("Permission denied");
        rig.protocol.openPort();
        QCOMPARE(rig.box.shown.size(), 1);
        QCOMPARE(rig.box.shown[0].style, 48);
        QVERIFY(rig.box.shown[0].prompt.contains(QStringLiteral("/dev/fake-com1")));
        QVERIFY(rig.box.shown[0].prompt.contains(QStringLiteral("Permission denied")));
        QVERIFY(rig.box.shown[0].prompt.contains(QStringLiteral("COM1")));
        QCOMPARE(rig.log.text(), QStringLiteral("listing"));
        QCOMPARE(rig.protocol.buttons(), (DownloadButtons{true, false, false}));
        QVERIFY(!rig.protocol.polling());
    }

    void unreadableFileAtTransferTimeSendsNothing()
    {
        Rig rig;
        rig.openPort();
        QVERIFY(QFile::remove(rig.path));
        rig.box.shown.clear();
        rig.link.receive("s");

        QVERIFY(rig.link.written.isEmpty());
        QCOMPARE(rig.box.styles(), (QList<int>{33, 48}));
        QVERIFY(rig.box.shown[1].prompt.contains(rig.path));
        QVERIFY(rig.log.text().endsWith(QStringLiteral("下载未进行：字模文件无法读取，没有发送任何数据。") + time));
        QVERIFY(!rig.log.text().contains(QStringLiteral("下载完成 OK")));
        QVERIFY(rig.link.isOpen());
        QCOMPARE(rig.protocol.buttons(), (DownloadButtons{false, true, true}));
    }

    void failedWriteEndsTheTransfer_data()
    {
        QTest::addColumn<int>("failingWrite");
        QTest::newRow("header") << 1;
        QTest::newRow("data") << 2;
        QTest::newRow("trailer") << 3;
    }
    void failedWriteEndsTheTransfer()
    {
        QFETCH(int, failingWrite);
        Rig rig;
        rig.openPort();
        rig.link.writeCount = 0;
        rig.link.failWriteNumber = failingWrite;
        rig.box.shown.clear();
        rig.link.receive("s");
        expectFailedTransfer(rig);
    }

    void deviceVanishingMidTransfer()
    {
        Rig rig;
        rig.link.holdWrites = true;
        rig.openPort();
        rig.box.shown.clear();
        rig.link.receive("s");
        QVERIFY(rig.protocol.transferring());
        rig.link.vanish(QStringLiteral("设备已被拔出"));
        expectFailedTransfer(rig);
        QVERIFY(rig.box.shown[1].prompt.contains(QStringLiteral("设备已被拔出")));
        // Later reports of the same breakdown add nothing.
        rig.link.vanish(QStringLiteral("再次出错"));
        rig.link.drain();
        QCOMPARE(rig.box.shown.size(), 2);
        QVERIFY(!rig.log.text().contains(QStringLiteral("下载完成 OK")));
    }

    void deviceVanishingWhilePolling()
    {
        Rig rig;
        rig.openPort();
        rig.box.shown.clear();
        rig.link.vanish(QStringLiteral("设备已被拔出"));
        QCOMPARE(rig.box.styles(), (QList<int>{48}));
        QVERIFY(rig.box.shown[0].prompt.contains(QStringLiteral("/dev/fake-com1")));
        QVERIFY(rig.log.text().endsWith(QStringLiteral("串口出错，已关闭。") + time));
        QVERIFY(!rig.link.isOpen());
        QVERIFY(!rig.protocol.polling());
        QCOMPARE(rig.protocol.buttons(), (DownloadButtons{true, false, false}));
    }

    // The transfer is complete only when every queued byte has left; the port
    // closes after that, never with bytes still queued.
    void completionWaitsForTheQueuedBytes()
    {
        Rig rig;
        rig.link.holdWrites = true;
        rig.openPort();
        rig.box.shown.clear();
        rig.link.receive("s");
        QCOMPARE(rig.link.written, rig.transferOf(1));
        QVERIFY(rig.link.isOpen());
        QVERIFY(!rig.log.text().contains(QStringLiteral("下载完成 OK")));
        QCOMPARE(rig.box.styles(), (QList<int>{33}));
        rig.link.receive("s"); // the board's chatter during the transfer starts nothing
        QCOMPARE(rig.box.styles(), (QList<int>{33}));

        rig.link.drain();
        QCOMPARE(rig.box.styles(), (QList<int>{33, 64}));
        QVERIFY(rig.log.text().endsWith(QStringLiteral("下载完成 OK！") + QString(22, u' ') + time + crlf));
        QVERIFY(!rig.link.isOpen());
        QCOMPARE(rig.link.pendingAtClose, 0);
        QCOMPARE(rig.protocol.buttons(), (DownloadButtons{true, false, false}));
    }

    void pollWritesOnlyWhileThePortIsOpen()
    {
        Rig rig;
        rig.protocol.openPort();
        QTRY_VERIFY(rig.link.written.size() >= 2);
        QVERIFY(rig.link.written.count('s') == rig.link.written.size());
        rig.protocol.closePort();
        rig.link.written.clear();
        QTest::qWait(350);
        QVERIFY(rig.link.written.isEmpty());
        QCOMPARE(rig.link.writesWhileClosed, 0);
        QCOMPARE(rig.protocol.buttons(), (DownloadButtons{true, false, false}));
    }

    // After a Cancel, a new file and "打开串口" restart the poll with "发送数据"
    // still enabled; a transfer from there leaves the poll running past the
    // closing of the port, and the poll must not write to the closed port.
    void pollLeftRunningByATransferNeverWritesToTheClosedPort()
    {
        Rig rig;
        rig.openPort();
        rig.box.answers = {MsgCancel};
        rig.link.receive("s");
        rig.protocol.chooseFile(rig.path);
        rig.protocol.openPort();
        QCOMPARE(rig.protocol.buttons(), (DownloadButtons{false, true, true}));
        QVERIFY(rig.protocol.polling());

        rig.protocol.download();
        QVERIFY(!rig.link.isOpen());
        QVERIFY(rig.protocol.polling());
        QTest::qWait(350);
        rig.protocol.pollTick();
        QCOMPARE(rig.link.writesWhileClosed, 0);
    }

private:
    void expectFailedTransfer(Rig &rig)
    {
        QCOMPARE(rig.box.styles(), (QList<int>{33, 48}));
        QVERIFY(rig.box.shown[1].prompt.contains(QStringLiteral("/dev/fake-com1")));
        QVERIFY(rig.box.shown[1].prompt.contains(QStringLiteral("没有下载完成")));
        QVERIFY(rig.log.text().endsWith(QStringLiteral("下载失败：串口出错，字模没有下载完成，串口已关闭。") + time));
        QVERIFY(!rig.log.text().contains(QStringLiteral("下载完成 OK")));
        QVERIFY(!rig.link.isOpen());
        QVERIFY(!rig.protocol.polling());
        QVERIFY(!rig.protocol.transferring());
        QCOMPARE(rig.protocol.buttons(), (DownloadButtons{true, false, false}));
    }
};

QTEST_GUILESS_MAIN(DownloadProtocolTest)
#include "test_download_protocol.moc"
