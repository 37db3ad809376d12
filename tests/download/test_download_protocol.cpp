// The exchange with the board against a fake serial link, answered through the
// window's message boxes: what counts as the board's signal, the bytes of a
// transfer, the log lines, the phases, and the faults.

#include "download/download_prompts.h"
#include "download/download_protocol.h"
#include "download_test_support.h"

#include <QTemporaryDir>

using namespace ledglyph;
using namespace ledglyph::testing;
using namespace Qt::StringLiterals;

namespace {

const QDateTime at(QDate(2008, 3, 22), QTime(21, 5, 33));
const QString confirmBox = u"33 Qorvath 欢迎您！！！: 与单片机连接成功\r\r按下“确定”将字模下载到单片机。\r按下“取消”返回\r"
                           u"注意：单片机与PC连接后请在一分钟内将字模下载到单片机，\r如超过一分钟请重新连接"_s;
using Phase = DownloadProtocol::Phase;

// One protocol with its fakes and its boxes, a 449-byte glyph file chosen,
// "变化速度1" selected, "listing" in the log and, unless told otherwise, the
// port open (its box forgotten).
struct Rig {
    FakeSerialLink link;
    ScriptedMessageBox box;
    FixedClock clock{at};
    DownloadLog log{clock};
    DownloadProtocol protocol{link, log};
    DownloadPrompts prompts{protocol, box};
    QTemporaryDir dir;
    const QString path = dir.filePath(u"zimuo.bin"_s);
    QByteArray content = QByteArray("s\0\xFFy\x01G", 6).repeated(75).left(449); // holds "s" bytes too

    explicit Rig(bool open = true)
    {
        writeFile(path, content);
        protocol.chooseFile(path);
        protocol.setSpeedIndex(0);
        log.replace(u"listing"_s, DownloadLog::Focus::AtEnd);
        if (open)
            protocol.openPort();
        box.shown.clear();
    }
    QByteArray transferOf(int speed) const { return "\x79\x01"_ba + char(speed) + content + "sss"_ba; }
    // The phase, provided the port is open exactly when the phase has it open.
    Phase phase() const
    {
        const Phase now = protocol.phase();
        const bool portOpen = now != Phase::NoFile && now != Phase::Closed;
        return portOpen == link.isOpen() ? now : Phase(-1);
    }
    bool polling() const { return protocol.findChild<QTimer *>(u"Timer1"_s)->isActive(); }
};

} // namespace

class DownloadProtocolTest : public QObject {
    Q_OBJECT

    const LogLines lines{at};
    const QString untilSignal = u"listing"_s + lines.opened + lines.signal;
    const QString completedLog = untilSignal + lines.downloading + lines.completed;

private slots:
    void boardSignal_data()
    {
        QTest::addColumn<QByteArray>("batch");
        QTest::addColumn<bool>("isSignal");
        QTest::newRow("s") << "s"_ba << true;
        QTest::newRow("x s") << "xs"_ba << true;
        QTest::newRow("s x") << "sx"_ba << false;
        QTest::newRow("S") << "S"_ba << false;
        QTest::newRow("no bytes") << QByteArray() << false;
    }
    void boardSignal()
    {
        QFETCH(QByteArray, batch);
        QFETCH(bool, isSignal);
        Rig rig;
        rig.box.answers = {MessageAnswer::Cancel};
        rig.link.receive(batch);
        QCOMPARE(rig.log.text(), isSignal ? untilSignal : u"listing"_s + lines.opened);
        QCOMPARE(rig.box.shown, isSignal ? QStringList{confirmBox} : QStringList());
        QCOMPARE(rig.phase(), isSignal ? Phase::Connected : Phase::Polling);
        QCOMPARE(rig.polling(), !isSignal);
        QVERIFY(rig.link.written.isEmpty()); // Cancel sends nothing
    }

    // A port that cannot be opened: a message naming the device and the
    // system's reason. Opening polls with "s" at 9600,n,8,1; closing stops the
    // poll, which then writes nothing.
    void openAndClosePort()
    {
        Rig rig(false);
        rig.link.openFailure = u"Permission denied"_s;
        rig.protocol.openPort();
        QCOMPARE(rig.box.shown, QStringList{u"48 Qorvath 欢迎您: 无法打开串口 COM1（设备 /dev/fake-com1）。\r"
                                            u"请检查串口线和设备是否存在、是否被其他程序占用。\r"
                                            u"系统信息：Permission denied"_s});
        QCOMPARE(rig.log.text(), u"listing"_s);
        QCOMPARE(rig.phase(), Phase::Closed);

        rig.link.openFailure.reset();
        rig.box.shown.clear();
        rig.protocol.openPort();
        const LineSettings s = *rig.link.openedWith;
        QCOMPARE((QList<int>{s.baudRate, s.parity, s.dataBits, s.stopBits, s.flowControl}), (QList<int>{9600, 0, 8, 1, 0}));
        QCOMPARE(rig.box.shown, QStringList{u"48 Qorvath 欢迎您: 请用DB9串行线将PC的COM1与单片机连接，之后开启单片机电源。"
                                            u"连接成功后才能下载字模\r串口设置 端口号：COM1 波特率：9600b/s  "
                                            u"奇偶校验：无  数据位：8  停止位：1"_s});
        QCOMPARE(rig.log.text(), u"listing"_s + lines.opened);
        QCOMPARE(rig.phase(), Phase::Polling);
        QVERIFY(rig.polling());
        rig.protocol.pollTick();
        QCOMPARE(rig.link.written, "s"_ba);

        rig.protocol.closePort();
        rig.protocol.pollTick();
        QCOMPARE(rig.phase(), Phase::Closed);
        QVERIFY(!rig.polling());
        QCOMPARE(rig.link.written, "s"_ba);
        QCOMPARE(rig.link.writesWhileClosed, 0);
    }

    // 3 + N + 3 bytes, the speed in the header and the file as it is on disk
    // when the board signals. Complete only once every queued byte has left;
    // the port closes after that.
    void transfer_data()
    {
        QTest::addColumn<int>("speedIndex");
        QTest::addColumn<int>("sizeOnDisk");
        QTest::addColumn<bool>("queued"); // the bytes leave only later
        QTest::newRow("变化速度1, 449 bytes") << 0 << 449 << false;
        QTest::newRow("变化速度6") << 5 << 449 << false;
        QTest::newRow("file rewritten after the choice") << 0 << 480 << false;
        QTest::newRow("bytes queued") << 0 << 449 << true;
    }
    void transfer()
    {
        QFETCH(int, speedIndex);
        QFETCH(int, sizeOnDisk);
        QFETCH(bool, queued);
        Rig rig;
        rig.protocol.setSpeedIndex(speedIndex);
        rig.link.holdWrites = queued;
        if (sizeOnDisk != rig.content.size())
            writeFile(rig.path, rig.content = QByteArray("new s", 5).repeated(sizeOnDisk / 5));
        rig.link.receive("s");
        QCOMPARE(rig.link.written.size(), 3 + sizeOnDisk + 3);
        QCOMPARE(rig.link.written, rig.transferOf(speedIndex + 1));
        if (queued) {
            rig.link.receive("s"); // the board's chatter during the transfer starts nothing
            emit rig.link.allWritten(); // a late report about an earlier poll byte ends nothing
            QCOMPARE(rig.log.text(), untilSignal + lines.downloading);
            QCOMPARE(rig.box.shown, QStringList{confirmBox});
            QCOMPARE(rig.phase(), Phase::Sending);
            rig.link.drain();
        }
        QCOMPARE(rig.log.text(), completedLog);
        QCOMPARE(rig.box.shown, (QStringList{confirmBox, u"64 Qorvath 欢迎您！！！: 串口下载完成"_s}));
        QCOMPARE(rig.phase(), Phase::Closed);
    }

    // A board signal counts only while polling or connected: one that arrives
    // while a box waits for the user (the DB9 prompt, the confirmation, the
    // completion) adds no log line and no box, and never a second transfer.
    void signalWhileABoxIsOpenIsIgnored_data()
    {
        QTest::addColumn<int>("box"); // number of the box, in the order shown
        QTest::newRow("DB9 prompt") << 0;
        QTest::newRow("confirmation") << 1;
        QTest::newRow("download complete") << 2;
    }
    void signalWhileABoxIsOpenIsIgnored()
    {
        QFETCH(int, box);
        Rig rig(false);
        rig.box.whileOpen[box] = [&rig] { rig.link.receive("s"); };
        rig.protocol.openPort();
        rig.link.receive("s");
        QCOMPARE(rig.link.written, rig.transferOf(1));
        QCOMPARE(rig.log.text(), completedLog);
        QCOMPARE(rig.box.styles(), u"48 33 64"_s);
        QCOMPARE(rig.phase(), Phase::Closed);
    }

    // A close by the user (or the window) while bytes are still queued throws
    // them away at once, says so in the log, and leaves the port closed (or
    // opens it anew); a late "queue empty" reports nothing.
    void closeDuringTransfer_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("linesAfter");
        QTest::addColumn<Phase>("phase");
        QTest::newRow("关闭串口") << u"close"_s << QString() << Phase::Closed;
        QTest::newRow("打开串口") << u"open"_s << lines.opened << Phase::Polling;
    }
    void closeDuringTransfer()
    {
        QFETCH(QString, action);
        QFETCH(QString, linesAfter);
        QFETCH(Phase, phase);
        Rig rig;
        rig.link.holdWrites = true;
        rig.link.receive("s");
        if (action == u"close")
            rig.protocol.closePort();
        else
            rig.protocol.openPort();
        rig.link.drain();
        QCOMPARE(rig.link.discarded, 455);
        QCOMPARE(rig.log.text(), untilSignal + lines.downloading
                                     + lines.line(u"下载已取消：字模没有下载完成，未发送的数据已丢弃。"_s) + linesAfter);
        QCOMPARE(rig.box.styles(), action == u"open" ? u"33 48"_s : u"33"_s);
        QCOMPARE(rig.phase(), phase);
    }

    // A line that stops taking bytes: past twice their line time at 9600 baud
    // (10 bits a byte) plus 2 s, one message and one log line, the rest thrown
    // away, the port closed.
    void transferThatNeverDrains_data()
    {
        QTest::addColumn<int>("fileSize");
        QTest::addColumn<int>("deadlineMs");
        QTest::newRow("449 bytes") << 449 << 2946;
        QTest::newRow("64 KiB") << 65536 << 138544;
    }
    void transferThatNeverDrains()
    {
        QFETCH(int, fileSize);
        QFETCH(int, deadlineMs);
        Rig rig;
        writeFile(rig.path, QByteArray(fileSize, 's'));
        rig.link.holdWrites = true;
        rig.link.receive("s");
        auto *deadline = rig.protocol.findChild<QTimer *>(u"drainDeadline"_s);
        QVERIFY(deadline && deadline->isActive());
        QCOMPARE(deadline->interval(), deadlineMs);
        deadline->start(0); // its time has come
        QTRY_COMPARE(rig.phase(), Phase::Closed);
        rig.link.drain();
        QCOMPARE(rig.link.discarded, fileSize + 6);
        QCOMPARE(rig.log.text(), untilSignal + lines.downloading
                                     + lines.line(u"下载失败：串口停止发送，字模没有下载完成，串口已关闭。"_s));
        QCOMPARE(rig.box.shown, (QStringList{confirmBox, u"48 Qorvath 欢迎您！！！: 串口 COM1（设备 /dev/fake-com1）停止发送："
                                                         u"至少还有 %1 字节没有发出。\r字模没有下载完成，串口已关闭。请检查串口线和单片机。"_s.arg(fileSize + 6)}));
    }

    // Cancel, "发送数据" with no speed selected (refused, nothing sent), then a
    // speed and "发送数据" again.
    void cancelThenSpeedThenSend()
    {
        Rig rig;
        rig.box.answers = {MessageAnswer::Cancel};
        rig.link.receive("xs");
        rig.protocol.setSpeedIndex(-1);
        rig.protocol.download();
        QVERIFY(rig.link.written.isEmpty());
        QCOMPARE(rig.log.text(), untilSignal);
        QCOMPARE(rig.box.shown.last(), u"64 Qorvath 欢迎您！！！: 你还没有选择显示方式和移动速度，谢谢！！！"_s);
        QCOMPARE(rig.phase(), Phase::Connected);

        rig.protocol.setSpeedIndex(3);
        rig.protocol.download();
        QCOMPARE(rig.link.written, rig.transferOf(4));
        QCOMPARE(rig.log.text(), completedLog);
        QCOMPARE(rig.phase(), Phase::Closed);
    }

    void unreadableFileAtTransferTimeSendsNothing()
    {
        Rig rig;
        QVERIFY(QFile::remove(rig.path));
        rig.link.receive("s");
        QVERIFY(rig.link.written.isEmpty());
        QCOMPARE(rig.box.styles(), u"33 48"_s);
        QVERIFY(rig.box.shown[1].contains(rig.path));
        QCOMPARE(rig.log.text(), untilSignal + lines.downloading + lines.line(u"下载未进行：字模文件无法读取，没有发送任何数据。"_s));
        QCOMPARE(rig.phase(), Phase::Connected);
    }

    // One message and one log line, the port closed, never "下载完成"; later
    // reports of the same breakdown and the queue running empty add nothing.
    void linkFailure_data()
    {
        QTest::addColumn<int>("failingWrite"); // 0: no write fails, the device vanishes
        QTest::addColumn<bool>("transferring");
        QTest::addColumn<QString>("log");
        QTest::addColumn<QString>("message");
        const QString failedLog = untilSignal + lines.downloading + lines.line(u"下载失败：串口出错，字模没有下载完成，串口已关闭。"_s);
        const QString failedBox = u"48 Qorvath 欢迎您！！！: 串口 COM1（设备 /dev/fake-com1）出错：%1\r字模没有下载完成，串口已关闭。"_s;
        QTest::newRow("header refused") << 1 << true << failedLog << failedBox.arg(u"写入出错"_s);
        QTest::newRow("data refused") << 2 << true << failedLog << failedBox.arg(u"写入出错"_s);
        QTest::newRow("trailer refused") << 3 << true << failedLog << failedBox.arg(u"写入出错"_s);
        QTest::newRow("device vanished mid-transfer") << 0 << true << failedLog << failedBox.arg(u"拔出"_s);
        QTest::newRow("device vanished while polling") << 0 << false << u"listing"_s + lines.opened + lines.line(u"串口出错，已关闭。"_s)
            << u"48 Qorvath 欢迎您: 串口 COM1（设备 /dev/fake-com1）出错：拔出\r串口已关闭。"_s;
    }
    void linkFailure()
    {
        QFETCH(int, failingWrite);
        QFETCH(bool, transferring);
        QFETCH(QString, log);
        QFETCH(QString, message);
        Rig rig;
        rig.link.holdWrites = true;
        rig.link.failWriteNumber = failingWrite;
        if (transferring)
            rig.link.receive("s");
        if (failingWrite == 0)
            emit rig.link.failed(u"拔出"_s);
        emit rig.link.failed(u"再次出错"_s);
        rig.link.drain();
        QCOMPARE(rig.log.text(), log);
        QCOMPARE(rig.box.shown, (transferring ? QStringList{confirmBox, message} : QStringList{message}));
        QCOMPARE(rig.phase(), Phase::Closed);
    }

    // After a Cancel, choosing a file offers "打开串口" again; opening anew
    // restarts the poll and leaves "发送数据" enabled. A transfer from there
    // ends with the port closed and the poll stopped.
    void reopenAfterCancelKeepsSendAvailable()
    {
        Rig rig;
        rig.box.answers = {MessageAnswer::Cancel};
        rig.link.receive("s");
        QCOMPARE(rig.protocol.buttons(), (DownloadButtons{false, true, true}));
        rig.protocol.chooseFile(rig.path);
        QCOMPARE(rig.protocol.buttons(), (DownloadButtons{true, true, true}));
        rig.protocol.openPort();
        QCOMPARE(rig.phase(), Phase::Connected);
        QVERIFY(rig.polling());
        QCOMPARE(rig.protocol.buttons(), (DownloadButtons{false, true, true}));
        rig.protocol.download();
        QCOMPARE(rig.link.written, rig.transferOf(1));
        QCOMPARE(rig.phase(), Phase::Closed);
        QVERIFY(!rig.polling());
        rig.protocol.pollTick();
        QCOMPARE(rig.link.writesWhileClosed, 0);
    }
};

QTEST_GUILESS_MAIN(DownloadProtocolTest)
#include "test_download_protocol.moc"
