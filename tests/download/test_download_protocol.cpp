// The exchange with the board against a fake serial link, answered through the
// window's message boxes: what counts as the board's signal, the bytes of a
// transfer, the log lines, the phases, and the faults.

#include "download/download_prompts.h"
#include "download/download_protocol.h"
#include "download_test_support.h"

#include <QTemporaryDir>

#include <functional>

using namespace ledglyph;
using namespace ledglyph::test;
using namespace Qt::StringLiterals;

namespace {

const QString confirmBox = u"33 Qorvath 欢迎您！！！: 与单片机连接成功\r\r按下“确定”将字模下载到单片机。\r按下“取消”返回\r"
                           u"注意：单片机与PC连接后请在一分钟内将字模下载到单片机，\r如超过一分钟请重新连接"_s;
const QString connectBox = u"48 Qorvath 欢迎您: 请用DB9串行线将PC的COM1与单片机连接，之后开启单片机电源。"
                           u"连接成功后才能下载字模\r串口设置 端口号：COM1 波特率：9600b/s  奇偶校验：无  数据位：8  停止位：1"_s;
using Phase = DownloadProtocol::Phase;

// One protocol with its fakes and its boxes, a 449-byte glyph file chosen,
// "变化速度1" selected, "listing" in the log and, unless told otherwise, the
// port open (its box forgotten).
struct Rig {
    FakeSerialLink link;
    ScriptedHost box;
    FixedClock clock{testTime()};
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
    QTimer *drainDeadline() const { return protocol.findChild<QTimer *>(u"drainDeadline"_s); }
};

// A transfer that ends before it is complete, from the board's signal on.
struct Ending {
    int fileSize;                     // the glyph file when the board signals; 0: removed
    int failingWrite;                 // the n-th write is refused
    std::function<void(Rig &)> then;  // while the transfer's bytes wait
    int deadlineMs;                   // the drain deadline set at the signal, 0: none
    QString log;                      // after the "正在下载中" line
    QString box;                      // after the confirmation, "" for none; {file}: the file's path
    Phase phase;
    int unsent;                       // bytes the link took and threw away unsent
};

} // namespace

Q_DECLARE_METATYPE(Ending)

class DownloadProtocolTest : public QObject {
    Q_OBJECT

    const LogLines lines{testTime()};
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
    // poll, which then writes nothing. A device that vanishes while polling:
    // one message and one log line, the port closed; a later report adds nothing.
    void portWithoutTransfer()
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
        QCOMPARE(rig.box.shown, QStringList{connectBox});
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

        rig.protocol.openPort();
        emit rig.link.failed(u"拔出"_s);
        emit rig.link.failed(u"再次出错"_s);
        QCOMPARE(rig.log.text(), u"listing"_s + lines.opened + lines.opened + lines.line(u"串口出错，已关闭。"_s));
        QCOMPARE(rig.box.shown, (QStringList{connectBox, connectBox,
                                             u"48 Qorvath 欢迎您: 串口 COM1（设备 /dev/fake-com1）出错：拔出\r串口已关闭。"_s}));
        QCOMPARE(rig.phase(), Phase::Closed);
    }

    // 3 + N + 3 bytes, the speed in the header and the file as it is on disk
    // when the board signals. Complete only once every queued byte has left;
    // the port closes after that. A board signal counts only while polling or
    // connected: one that arrives while a box waits for the user adds no log
    // line and no box, and never a second transfer.
    void transfer_data()
    {
        QTest::addColumn<int>("speedIndex");
        QTest::addColumn<int>("sizeOnDisk");
        QTest::addColumn<bool>("queued"); // the bytes leave only later
        QTest::addColumn<int>("signalDuringBox"); // number of the box, in the order shown; −1: none
        QTest::newRow("变化速度1, 449 bytes") << 0 << 449 << false << -1;
        QTest::newRow("变化速度6, file rewritten after the choice") << 5 << 480 << false << -1;
        QTest::newRow("bytes queued") << 0 << 449 << true << -1;
        QTest::newRow("signal during the DB9 prompt") << 0 << 449 << false << 0;
        QTest::newRow("signal during the confirmation") << 0 << 449 << false << 1;
        QTest::newRow("signal during 下载完成") << 0 << 449 << false << 2;
    }
    void transfer()
    {
        QFETCH(int, speedIndex);
        QFETCH(int, sizeOnDisk);
        QFETCH(bool, queued);
        QFETCH(int, signalDuringBox);
        Rig rig(false);
        rig.box.whileOpen[signalDuringBox] = [&rig] { rig.link.receive("s"); };
        rig.protocol.openPort();
        rig.protocol.setSpeedIndex(speedIndex);
        rig.link.holdWrites = queued;
        if (sizeOnDisk != rig.content.size())
            writeFile(rig.path, rig.content = QByteArray("new s", 5).repeated(sizeOnDisk / 5));
        rig.link.receive("s");
        QCOMPARE(rig.link.written, rig.transferOf(speedIndex + 1));
        if (queued) {
            rig.link.receive("s"); // the board's chatter during the transfer starts nothing
            emit rig.link.allWritten(); // a late report about an earlier poll byte ends nothing
            QCOMPARE(rig.log.text(), untilSignal + lines.downloading);
            QCOMPARE(rig.box.shown, (QStringList{connectBox, confirmBox}));
            QCOMPARE(rig.phase(), Phase::Sending);
            rig.link.drain();
        }
        QCOMPARE(rig.log.text(), completedLog);
        QCOMPARE(rig.box.shown, (QStringList{connectBox, confirmBox, u"64 Qorvath 欢迎您！！！: 串口下载完成"_s}));
        QCOMPARE(rig.phase(), Phase::Closed);
    }

    // One log line and at most one message, never "下载完成"; a later report
    // of the same breakdown and the queue running empty add nothing. A close
    // by the user (or the window) throws the queued bytes away at once, as a
    // breakdown does. A line that stops taking bytes: past twice their line
    // time at 9600 baud (10 bits a byte) plus 2 s. A file that cannot be read
    // at the signal: nothing sent, "发送数据" left to try again.
    void transferEndsEarly_data()
    {
        const QString cancelled = lines.line(u"下载已取消：字模没有下载完成，未发送的数据已丢弃。"_s);
        const QString stalled = lines.line(u"下载失败：串口停止发送，字模没有下载完成，串口已关闭。"_s);
        const QString failed = lines.line(u"下载失败：串口出错，字模没有下载完成，串口已关闭。"_s);
        const QString stalledBox = u"48 Qorvath 欢迎您！！！: 串口 COM1（设备 /dev/fake-com1）停止发送：至少还有 %1 字节没有发出。"
                                   u"\r字模没有下载完成，串口已关闭。请检查串口线和单片机。"_s;
        const QString failedBox = u"48 Qorvath 欢迎您！！！: 串口 COM1（设备 /dev/fake-com1）出错：%1\r字模没有下载完成，串口已关闭。"_s;
        const QString refused = u"写入出错"_s;
        const auto close = [](Rig &rig) { rig.protocol.closePort(); };
        const auto reopen = [](Rig &rig) { rig.protocol.openPort(); };
        const auto stall = [](Rig &rig) {
            rig.drainDeadline()->start(0); // its time has come
            QTRY_VERIFY(!rig.link.isOpen());
        };
        const auto failAgain = [](Rig &rig) { emit rig.link.failed(u"再次出错"_s); };
        const auto vanish = [&](Rig &rig) {
            emit rig.link.failed(u"拔出"_s);
            failAgain(rig);
        };
        QTest::addColumn<Ending>("ending");
        QTest::newRow("关闭串口") << Ending{449, 0, close, 2946, cancelled, {}, Phase::Closed, 455};
        QTest::newRow("打开串口") << Ending{449, 0, reopen, 2946, cancelled + lines.opened, connectBox, Phase::Polling, 455};
        QTest::newRow("never drains, 449 bytes") << Ending{449, 0, stall, 2946, stalled, stalledBox.arg(455), Phase::Closed, 455};
        QTest::newRow("never drains, 64 KiB")
            << Ending{65536, 0, stall, 138544, stalled, stalledBox.arg(65542), Phase::Closed, 65542};
        QTest::newRow("header refused") << Ending{449, 1, failAgain, 0, failed, failedBox.arg(refused), Phase::Closed, 0};
        QTest::newRow("data refused") << Ending{449, 2, failAgain, 0, failed, failedBox.arg(refused), Phase::Closed, 3};
        QTest::newRow("trailer refused") << Ending{449, 3, failAgain, 0, failed, failedBox.arg(refused), Phase::Closed, 452};
        QTest::newRow("device vanished") << Ending{449, 0, vanish, 2946, failed, failedBox.arg(u"拔出"_s), Phase::Closed, 455};
        QTest::newRow("file unreadable") << Ending{0, 0, {}, 0, lines.line(u"下载未进行：字模文件无法读取，没有发送任何数据。"_s),
            u"48 Qorvath 欢迎您！！！: 无法读取文件 {file}。\r系统信息：No such file or directory\r没有发送任何数据。"_s,
            Phase::Connected, 0};
    }
    void transferEndsEarly()
    {
        QFETCH(Ending, ending);
        Rig rig;
        rig.link.holdWrites = true;
        rig.link.failWriteNumber = ending.failingWrite;
        if (ending.fileSize == 0)
            QVERIFY(QFile::remove(rig.path));
        else
            writeFile(rig.path, QByteArray(ending.fileSize, 's'));
        rig.link.receive("s");
        QCOMPARE(rig.drainDeadline()->isActive() ? rig.drainDeadline()->interval() : 0, ending.deadlineMs);
        if (ending.then)
            ending.then(rig);
        rig.link.drain();
        QCOMPARE(rig.log.text(), untilSignal + lines.downloading + ending.log);
        const QString box = QString(ending.box).replace(u"{file}"_s, rig.path);
        QCOMPARE(rig.box.shown, (box.isEmpty() ? QStringList{confirmBox} : QStringList{confirmBox, box}));
        QCOMPARE(rig.phase(), ending.phase);
        QCOMPARE(rig.link.written.size(), ending.unsent);
        QCOMPARE(rig.link.discarded, ending.unsent);
    }

    // After a Cancel, "发送数据" with no speed selected is refused and sends
    // nothing. Choosing a file offers "打开串口" again; opening anew restarts
    // the poll and keeps "发送数据". A transfer from there stops the poll.
    void afterCancel()
    {
        Rig rig;
        rig.box.answers = {MessageAnswer::Cancel};
        rig.link.receive("s");
        rig.protocol.setSpeedIndex(-1);
        rig.protocol.download();
        QVERIFY(rig.link.written.isEmpty());
        QCOMPARE(rig.log.text(), untilSignal);
        QCOMPARE(rig.box.shown.last(), u"64 Qorvath 欢迎您！！！: 你还没有选择显示方式和移动速度，谢谢！！！"_s);
        QCOMPARE(rig.phase(), Phase::Connected);

        rig.protocol.chooseFile(rig.path);
        QCOMPARE(rig.protocol.buttons(), (DownloadButtons{true, true, true}));
        rig.protocol.openPort();
        QCOMPARE(rig.phase(), Phase::Connected);
        QVERIFY(rig.polling());
        QCOMPARE(rig.protocol.buttons(), (DownloadButtons{false, true, true}));
        rig.protocol.setSpeedIndex(3);
        rig.protocol.download();
        QCOMPARE(rig.link.written, rig.transferOf(4));
        QCOMPARE(rig.log.text(), untilSignal + lines.opened + lines.downloading + lines.completed);
        QCOMPARE(rig.phase(), Phase::Closed);
        QVERIFY(!rig.polling());
    }
};

QTEST_GUILESS_MAIN(DownloadProtocolTest)
#include "test_download_protocol.moc"
