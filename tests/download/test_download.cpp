// The download against a fake serial link, answered through scripted message
// boxes: the exchange with the board (what counts as its signal, the bytes of
// a transfer, the log lines, the phases and the faults), then the window
// offscreen (its start state, the hex listing, the refused files and the
// enabled buttons after every event).

#include "download/download_prompts.h"
#include "download/download_protocol.h"
#include "download/download_window.h"
#include "download/port_texts.h"
#include "platform/code_page_936.h"
#include "platform/date_time_text.h"
#include "platform/serial/port_choice.h"
#include "platform/serial/qt_serial_link.h"
#include "tests/support/test_desktop.h"
#include "tests/support/test_files.h"
#include "tests/support/window_controls.h"

#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QTest>

#include <functional>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

using namespace ledglyph;
using namespace ledglyph::test;
using namespace Qt::StringLiterals;

namespace {

const QString confirmBox = u"question Qorvath 欢迎您！！！: 与单片机连接成功\n\n按下“确定”将字模下载到单片机。\n按下“取消”返回\n"
                           u"注意：单片机与PC连接后请在一分钟内将字模下载到单片机，\n如超过一分钟请重新连接"_s;
const QString connectBox = u"warning Qorvath 欢迎您: 请用DB9串行线将PC的COM1与单片机连接，之后开启单片机电源。"
                           u"连接成功后才能下载字模\n串口设置 端口号：COM1 波特率：9600b/s  奇偶校验：无  数据位：8  停止位：1"_s;
using Phase = DownloadProtocol::Phase;

// A log line exactly as the download writes it at the test time: line feed, text, time of day.
QString logLine(const QString &text)
{
    return u"\n"_s + text + timeText(testTime().time());
}

// One protocol with its fakes and its boxes, a 449-byte glyph file chosen,
// "变化速度1" selected, "listing" in the log and, unless told otherwise, the
// port open (its box forgotten).
struct ProtocolRig {
    FakeSerialLink link;
    ScriptedHost box;
    FixedClock clock{testTime()};
    DownloadLog log{clock};
    DownloadProtocol protocol{link, log};
    DownloadPrompts prompts{protocol, box};
    QTemporaryDir dir;
    const QString path = dir.filePath(u"zimuo.bin"_s);
    QByteArray content = QByteArray("s\0\xFFy\x01G", 6).repeated(75).left(449); // holds "s" bytes too

    explicit ProtocolRig(bool open = true)
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
    QTimer *quietAfterTransfer() const { return protocol.findChild<QTimer *>(u"quietAfterTransfer"_s); }
};

// A transfer that ends before it is complete, from the board's signal on.
struct Ending {
    int fileSize = 449;                           // the glyph file when the board signals; −1: removed
    int failingWrite = 0;                         // the n-th write is refused
    std::function<void(ProtocolRig &)> then = {}; // while the transfer's bytes wait
    int deadlineMs = 2946;                        // the drain deadline set at the signal, 0: none
    QString log;                                  // after the "正在下载中" line
    QString box = {};                             // after the confirmation, "" for none; {file}: the file's path
    Phase phase = Phase::Closed;
    int unsent = 455;                             // bytes the link took and threw away unsent
};

const QTime morning(9, 7, 3);
// hellp.qvx as written (CR LF, one lone CR) and as the box's text holds it.
const QString helpFile = u"串口下载说明\r\n第二行：选择 zimuo.bin，\r然后打开串口。\r\n"_s;
const QString helpText = u"串口下载说明\n第二行：选择 zimuo.bin，\n然后打开串口。\n"_s;
const QString sizeLine = u"\n文件读入正常，大小为：%1字节       "_s + timeText(morning);

// The 353 bytes at the end of every glyph file, which the listing leaves out.
const QByteArray tail(353, '\x55');

// The window on a fake link in the morning, with hellp.qvx in its program
// folder unless told otherwise.
struct WindowRig : DownloadWindowControls {
    TestDesktop desktop{morning};
    std::unique_ptr<DownloadWindow> form;

    explicit WindowRig(bool withHelp = true)
    {
        if (withHelp)
            writeFile(desktop.dir.filePath(u"hellp.qvx"_s), *cp936::encode(helpFile));
        form = std::make_unique<DownloadWindow>(desktop.services);
        form3 = form.get();
    }
    template <typename T = QWidget> T *child(const QString &name) const { return form->findChild<T *>(name); }
    // Writes the file (unless `bytes` is null) and chooses it in the dialog; "" cancels the dialog.
    QString choose(const QString &name, const QByteArray &bytes = {})
    {
        const QString path = name.isEmpty() ? QString() : desktop.dir.filePath(name);
        if (!bytes.isNull())
            writeFile(path, bytes);
        desktop.host.files << path;
        openFileButton()->click();
        return path;
    }
    QString text() const { return form->logText(); }
    // Enabled state of 打开串口, 关闭串口 and 发送数据: "on off off". (The
    // protocol's phases, which set them, hold the poll and the port.)
    QString buttons() const
    {
        QStringList parts;
        for (const QPushButton *button : {openPortButton(), closePortButton(), sendButton()})
            parts << (button->isEnabled() ? u"on"_s : u"off"_s);
        return parts.join(u' ');
    }
};

// Ports as a system lists them.
const SerialPortEntry ch340{.device = u"/dev/ttyUSB0"_s, .description = u"USB-SERIAL CH340"_s,
                            .vendorId = 0x1A86, .productId = 0x7523};
const SerialPortEntry ftdi{.device = u"/dev/ttyUSB1"_s, .description = u"FT232R USB UART"_s,
                           .vendorId = 0x0403, .productId = 0x6001};
const SerialPortEntry uart{.device = u"/dev/ttyS0"_s};
const SerialPortEntry consoleUart{.device = u"/dev/ttyS0"_s, .console = true};
const SerialPortEntry bluetooth{.device = u"/dev/rfcomm0"_s};

struct ChoiceCase {
    QList<SerialPortEntry> present = {};
    QString environment = {}; // LEDGLYPH_COM1
    QString remembered = {};
    QString systemCom1 = u"/dev/ttyS0"_s;
    PortChoice expected = {};
};

} // namespace

Q_DECLARE_METATYPE(Ending)
Q_DECLARE_METATYPE(ChoiceCase)

class DownloadTest : public QObject {
    Q_OBJECT

    const QString opened = logLine(u"串口已打开,等待与单片机的连接。    "_s);
    const QString untilSignal = u"listing"_s + opened + logLine(u"收到单片机信号，与单片机连接成功。 "_s);
    const QString downloading = u"\n"_s + logLine(u"正在下载中，请等待...."_s + QString(13, u' '));
    const QString completed = logLine(u"下载完成 OK！"_s + QString(22, u' ')) + u"\n"_s;

private slots:
    // A port that cannot be opened: a message naming the device, what to do
    // (a user outside dialout: the command that lets him in) and the
    // system's reason, no log line. Opening polls with "s" at 9600,n,8,1; a
    // batch that does not end with "s" (or holds no bytes) is no signal.
    // Closing stops the poll. A device that vanishes while polling: one
    // message and one log line, the port closed; a later report adds nothing.
    void portWithoutTransfer()
    {
        ProtocolRig rig(false);
        rig.link.openFailure = Failure{openFailureMessage(u"Permission denied"_s, true)};
        rig.protocol.openPort();
        QCOMPARE(rig.phase(), Phase::Closed);

        rig.link.openFailure.reset();
        rig.protocol.openPort();
        QCOMPARE(rig.link.openedWith->baudRate, 9600);
        rig.protocol.pollTick();
        rig.link.receive("sx");
        rig.link.receive({});
        QCOMPARE(rig.link.written, "s"_ba);
        QCOMPARE(rig.log.text(), u"listing"_s + opened);
        QCOMPARE(rig.phase(), Phase::Polling);
        QVERIFY(rig.polling());

        rig.protocol.closePort();
        QCOMPARE(rig.phase(), Phase::Closed);
        QVERIFY(!rig.polling());

        rig.protocol.openPort();
        emit rig.link.failed(u"拔出"_s);
        emit rig.link.failed(u"再次出错"_s);
        QCOMPARE(rig.log.text(), u"listing"_s + opened + opened + logLine(u"串口出错，已关闭。"_s));
        QCOMPARE(rig.box.shown, (QStringList{u"warning Qorvath 欢迎您: 无法打开串口 COM1（设备 /dev/fake-com1）。\n"
                                             u"当前用户没有使用该设备的权限（不在 dialout 组）。请在终端中执行：\n"
                                             u"sudo usermod -aG dialout $USER\n然后注销并重新登录，再打开串口。\n"
                                             u"系统信息：Permission denied"_s,
                                             connectBox, connectBox,
                                             u"warning Qorvath 欢迎您: 串口 COM1（设备 /dev/fake-com1）出错：拔出\n串口已关闭。"_s}));
        QCOMPARE(rig.phase(), Phase::Closed);
    }

    // 3 + N + 3 bytes (the speed in the header: afterCancel; the file as it
    // is on disk when the board signals: transferEndsEarly's 64 KiB row).
    // Complete only once every byte is on the line
    // (the driver's queue too, which tells nobody when it runs empty) and the
    // line has then been quiet for the board's decision, no poll in between;
    // the port closes after that. Progress counts what left. A board signal
    // counts only while polling or connected: one that arrives while a box
    // waits for the user adds no log line and no box, and never a second transfer.
    void transfer_data()
    {
        QTest::addColumn<int>("queued");          // −1: none; else the bytes leave later, this many held by the driver
        QTest::addColumn<int>("signalDuringBox"); // number of the box, in the order shown; −1: none
        QTest::newRow("bytes held by the driver") << 100 << -1;
        QTest::newRow("signal during the DB9 prompt") << -1 << 0;
        QTest::newRow("signal during the confirmation") << -1 << 1;
        QTest::newRow("signal during 下载完成") << -1 << 2;
    }
    void transfer()
    {
        QFETCH(int, queued);
        QFETCH(int, signalDuringBox);
        ProtocolRig rig(false);
        rig.box.onEveryBox = [&rig, signalDuringBox] {
            if (rig.box.shown.size() == signalDuringBox + 1)
                rig.link.receive("s");
        };
        rig.protocol.openPort();
        rig.link.holdWrites = queued >= 0;
        rig.link.driverHeld = queued;
        QList<qint64> progress; // bytes on the line, as reported
        connect(&rig.protocol, &DownloadProtocol::transferProgressed, [&](qint64 sent, qint64 total) {
            QCOMPARE(total, rig.transferOf(1).size());
            progress << sent;
        });
        rig.link.receive("s");
        const qint64 total = rig.transferOf(1).size();
        QCOMPARE(rig.link.written, rig.transferOf(1));
        if (queued >= 0) {
            rig.link.receive("s"); // the board's chatter during the transfer starts nothing
            emit rig.link.allWritten(); // a late report about an earlier poll byte ends nothing
            rig.link.drain();
            QCOMPARE(progress, (QList<qint64>{0, 0, total - queued}));
            QCOMPARE(rig.phase(), Phase::Sending);
            rig.link.driverDrain();
        }
        QTRY_VERIFY(rig.quietAfterTransfer()->isActive());
        QCOMPARE(progress.last(), total);
        QCOMPARE(rig.log.text(), untilSignal + downloading);
        rig.protocol.pollTick(); // a poll now would join the transfer on the board
        QCOMPARE(rig.link.written, rig.transferOf(1));
        rig.quietAfterTransfer()->start(0); // the line has been quiet for the board's decision
        QTRY_VERIFY(!rig.quietAfterTransfer()->isActive());
        QCOMPARE(rig.log.text(), untilSignal + downloading + completed);
        QCOMPARE(rig.box.shown, (QStringList{connectBox, confirmBox, u"information Qorvath 欢迎您！！！: 串口下载完成"_s}));
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
        const QString cancelled = logLine(u"下载已取消：字模没有下载完成，未发送的数据已丢弃。"_s);
        const QString stalled = logLine(u"下载失败：串口停止发送，字模没有下载完成，串口已关闭。"_s);
        const QString failed = logLine(u"下载失败：串口出错，字模没有下载完成，串口已关闭。"_s);
        const QString stalledBox = u"warning Qorvath 欢迎您！！！: 串口 COM1（设备 /dev/fake-com1）停止发送：至少还有 %1 字节没有发出。"
                                   u"\n字模没有下载完成，串口已关闭。请检查串口线和单片机。"_s;
        const QString failedBox = u"warning Qorvath 欢迎您！！！: 串口 COM1（设备 /dev/fake-com1）出错：%1\n字模没有下载完成，串口已关闭。"_s;
        const auto close = [](ProtocolRig &rig) { rig.protocol.closePort(); };
        // The board takes the next poll as glyph data until the cut-off transfer has been quiet long enough.
        const auto reopen = [](ProtocolRig &rig) {
            rig.protocol.openPort();
            rig.protocol.pollTick();
        };
        const auto stall = [](ProtocolRig &rig) {
            rig.drainDeadline()->start(0); // its time has come
            QTRY_VERIFY(!rig.link.isOpen());
        };
        const auto failAgain = [](ProtocolRig &rig) { emit rig.link.failed(u"再次出错"_s); };
        const auto vanish = [&](ProtocolRig &rig) {
            emit rig.link.failed(u"拔出"_s);
            failAgain(rig);
        };
        QTest::addColumn<Ending>("ending");
        const auto row = [](const char *tag, const Ending &ending) { QTest::newRow(tag) << ending; };
        row("关闭串口", {.then = close, .log = cancelled});
        row("打开串口", {.then = reopen, .log = cancelled + opened, .box = connectBox, .phase = Phase::Polling});
        row("never drains, 449 bytes", {.then = stall, .log = stalled, .box = stalledBox.arg(455)});
        row("never drains, 64 KiB", {.fileSize = 65536, .then = stall, .deadlineMs = 138544, .log = stalled,
                                     .box = stalledBox.arg(65542), .unsent = 65542});
        row("data refused", {.failingWrite = 2, .then = failAgain, .deadlineMs = 0, .log = failed,
                             .box = failedBox.arg(u"写入出错"_s), .unsent = 3});
        row("device vanished", {.then = vanish, .log = failed, .box = failedBox.arg(u"拔出"_s)});
        row("file unreadable",
            {.fileSize = -1, .deadlineMs = 0, .log = logLine(u"下载未进行：字模文件无法读取，没有发送任何数据。"_s),
             .box = u"warning Qorvath 欢迎您！！！: 无法读取文件 {file}。\n系统信息：No such file or directory\n没有发送任何数据。"_s,
             .phase = Phase::Connected, .unsent = 0});
        row("file emptied",
            {.fileSize = 0, .deadlineMs = 0, .log = logLine(u"下载未进行：字模文件是空的，没有发送任何数据。"_s),
             .box = u"warning Qorvath 欢迎您！！！: 字模文件 {file} 是空的（0 字节），没有可以下载的字模。\n没有发送任何数据。"_s,
             .phase = Phase::Connected, .unsent = 0});
    }
    void transferEndsEarly()
    {
        QFETCH(Ending, ending);
        ProtocolRig rig;
        rig.link.holdWrites = true;
        rig.link.failWriteNumber = ending.failingWrite;
        if (ending.fileSize < 0)
            QVERIFY(QFile::remove(rig.path));
        else
            writeFile(rig.path, QByteArray(ending.fileSize, 's'));
        rig.link.receive("s");
        QCOMPARE(rig.drainDeadline()->isActive() ? rig.drainDeadline()->interval() : 0, ending.deadlineMs);
        if (ending.then)
            ending.then(rig);
        rig.link.drain();
        QCOMPARE(rig.log.text(), untilSignal + downloading + ending.log);
        const QString box = QString(ending.box).replace(u"{file}"_s, rig.path);
        QCOMPARE(rig.box.shown, (box.isEmpty() ? QStringList{confirmBox} : QStringList{confirmBox, box}));
        QCOMPARE(rig.phase(), ending.phase);
        QCOMPARE(rig.link.written.size(), ending.unsent);
        QCOMPARE(rig.link.discarded, ending.unsent);
    }

    // The board's signal is a batch that ends with "s"; it stops the poll.
    // After a Cancel, "发送数据" with no speed selected is refused and sends
    // nothing. Choosing a file offers "打开串口" again; opening anew restarts
    // the poll and keeps "发送数据", which then sends.
    void afterCancel()
    {
        ProtocolRig rig;
        rig.box.answers = {MessageAnswer::Cancel};
        rig.link.receive("xs");
        rig.protocol.setSpeedIndex(-1);
        rig.protocol.download();
        QVERIFY(rig.link.written.isEmpty());
        QCOMPARE(rig.log.text(), untilSignal);
        QCOMPARE(rig.box.shown, (QStringList{confirmBox, u"information Qorvath 欢迎您！！！: 你还没有选择显示方式和移动速度，谢谢！！！"_s}));
        QCOMPARE(rig.phase(), Phase::Connected);
        QVERIFY(!rig.polling());

        rig.protocol.chooseFile(rig.path);
        QCOMPARE(rig.protocol.buttons(), (DownloadButtons{true, true, true}));
        rig.protocol.openPort();
        QCOMPARE(rig.phase(), Phase::Connected);
        QVERIFY(rig.polling());
        QCOMPARE(rig.protocol.buttons(), (DownloadButtons{false, true, true}));
        rig.protocol.setSpeedIndex(3);
        rig.link.holdWrites = true;
        rig.protocol.download();
        QCOMPARE(rig.link.written, rig.transferOf(4));
        // The poll stops while the transfer's bytes leave: a poll byte after the trailer would spoil it.
        QCOMPARE(rig.phase(), Phase::Sending);
        QVERIFY(!rig.polling());
    }

    // COM1 is LEDGLYPH_COM1; else the device chosen last time while it is
    // there; else the system's own COM1 when the system lists it and its
    // console is elsewhere; else the one USB adapter; else nothing.
    void com1Choice_data()
    {
        using enum ChoiceReason;
        const SerialPortEntry com1{.device = u"COM1"_s, .description = u"通信端口"_s};
        const SerialPortEntry com5{.device = u"COM5"_s, .description = u"USB-SERIAL CH340"_s, .vendorId = 0x1A86, .productId = 0x7523};
        QTest::addColumn<ChoiceCase>("row");
        const auto row = [](const char *tag, const ChoiceCase &choice) { QTest::newRow(tag) << choice; };
        row("LEDGLYPH_COM1, listed or not", {.present = {uart, ch340}, .environment = u"/tmp/ledA"_s, .remembered = ch340.device,
                                             .expected = {u"/tmp/ledA"_s, Environment}});
        row("remembered, plugged in",
            {.present = {uart, ch340, ftdi}, .remembered = ftdi.device, .expected = {ftdi.device, Remembered}});
        row("remembered console port",
            {.present = {consoleUart}, .remembered = uart.device, .expected = {uart.device, Remembered}});
        row("remembered, pulled out",
            {.present = {uart, ch340}, .remembered = ftdi.device, .expected = {uart.device, SystemCom1}});
        row("system COM1 is the console", {.present = {consoleUart, ch340}, .expected = {ch340.device, OnlyUsbAdapter}});
        row("Windows COM1", {.present = {com1, com5}, .systemCom1 = u"COM1"_s, .expected = {u"COM1"_s, SystemCom1}});
        row("Windows, an adapter at COM5",
            {.present = {com5}, .systemCom1 = u"COM1"_s, .expected = {u"COM5"_s, OnlyUsbAdapter}});
        row("two adapters", {.present = {ch340, ftdi}, .remembered = u"/dev/ttyUSB2"_s});
        row("no USB ids, no adapter", {.present = {bluetooth}});
        row("nothing listed", {});
    }
    void com1Choice()
    {
        QFETCH(ChoiceCase, row);
        QCOMPARE(choosePort(row.present, row.environment, row.remembered, row.systemCom1), row.expected);
    }

    // ledglyph-cli's list of ports, and its request for --device, whose
    // example is an adapter and never the console.
    void portTexts()
    {
        QCOMPARE(port_texts::portListing({consoleUart, ch340, ftdi}, {ftdi.device, ChoiceReason::Remembered}),
                 u"  /dev/ttyS0（系统控制台）\n  USB-SERIAL CH340 (1A86:7523) — /dev/ttyUSB0\n"
                 u"* FT232R USB UART (0403:6001) — /dev/ttyUSB1\nCOM1 = /dev/ttyUSB1：上次选择的串口\n"_s);
        QCOMPARE(port_texts::portListing({}, {}),
                 u"没有找到串口设备。\nCOM1 尚未确定：请在下载窗口中选择，或用 ledglyph-cli download --device 指定。\n"_s);
        QCOMPARE(port_texts::undecidedForCommandLine({consoleUart, bluetooth, ch340}),
                 u"找到的串口：\n  /dev/ttyS0（系统控制台）\n  /dev/rfcomm0\n  USB-SERIAL CH340 (1A86:7523) — /dev/ttyUSB0\n"
                 u"还没有确定哪个串口作为 COM1：请用 --device 指定，例如 --device /dev/ttyUSB0。\n"_s);
    }

    // The chooser (its place is windowSession's layout table) after Combo2 in
    // the tab order: the ports as listed, the choice selected. An adapter plugged in
    // shows at the next look; with two and none remembered "打开串口" asks
    // for a pick and opens nothing. A pick is remembered and opened; the log
    // names the device. While the port is open the chooser is locked and the
    // list kept; a successful open remembers an automatic choice.
    // LEDGLYPH_COM1 decides over the chooser and is never remembered.
    void windowPortChooser()
    {
        WindowRig rig;
        auto *list = rig.child<QComboBox>(u"portList"_s);
        const auto items = [list] {
            QStringList texts;
            for (int i = 0; i < list->count(); ++i)
                texts << list->itemText(i);
            return texts;
        };
        const auto replug = [&rig](const QList<SerialPortEntry> &ports) {
            rig.desktop.ports.ports = ports;
            emit rig.child<PortWatch>(u"portWatch"_s)->mayHaveChanged();
        };
        QCOMPARE(rig.speedList()->nextInFocusChain(), list);
        QCOMPARE(items(), QStringList{u"USB-SERIAL CH340 (1A86:7523) — /dev/ttyUSB0"_s});
        QCOMPARE(list->currentIndex(), 0);

        rig.choose(u"zimuo.bin"_s, tail);
        replug({ch340, ftdi});
        QCOMPARE(items(), (QStringList{u"USB-SERIAL CH340 (1A86:7523) — /dev/ttyUSB0"_s,
                                       u"FT232R USB UART (0403:6001) — /dev/ttyUSB1"_s}));
        QCOMPARE(list->currentIndex(), -1);
        rig.openPortButton()->click();
        QCOMPARE(rig.desktop.host.shown, QStringList{
            u"warning Qorvath 欢迎您: 还没有确定哪个串口作为 COM1。请在窗口左下方的“COM1 设备”列表中选择连接单片机的串口，"
            u"再按“打开串口”。\n找到的串口：\nUSB-SERIAL CH340 (1A86:7523) — /dev/ttyUSB0\n"
            u"FT232R USB UART (0403:6001) — /dev/ttyUSB1"_s});
        QVERIFY(!rig.desktop.link->isOpen());

        QTest::keyClick(list, Qt::Key_End);
        QCOMPARE(rig.desktop.ports.memory, ftdi.device);
        rig.openPortButton()->click();
        QCOMPARE(rig.desktop.link->deviceName(), ftdi.device);
        QVERIFY(rig.text().endsWith(u"\n串口已打开,等待与单片机的连接。    "_s + timeText(morning)
                                    + u"\nCOM1 = /dev/ttyUSB1（FT232R USB UART (0403:6001)）    "_s + timeText(morning)));
        replug({ftdi});
        QCOMPARE(items().size(), 2);
        QVERIFY(!list->isEnabled());
        rig.closePortButton()->click();
        QVERIFY(list->isEnabled());
        QCOMPARE(items(), QStringList{u"FT232R USB UART (0403:6001) — /dev/ttyUSB1"_s});
        QCOMPARE(list->currentIndex(), 0);

        rig.desktop.ports.memory.clear();
        replug({uart, ch340});
        rig.openPortButton()->click();
        rig.closePortButton()->click();
        QCOMPARE(rig.desktop.ports.memory, uart.device);

        qputenv("LEDGLYPH_COM1", "/tmp/ledA");
        const auto unset = qScopeGuard([] { qunsetenv("LEDGLYPH_COM1"); });
        replug({});
        QCOMPARE(items(), QStringList{u"/tmp/ledA"_s});
        QVERIFY(!list->isEnabled());
        rig.openPortButton()->click();
        QCOMPARE(rig.desktop.link->deviceName(), u"/tmp/ledA"_s);
        rig.closePortButton()->click();
        QCOMPARE(rig.desktop.ports.memory, uart.device);

        qunsetenv("LEDGLYPH_COM1");
        rig.desktop.host.shown.clear();
        replug({});
        QCOMPARE(list->placeholderText(), u"没有找到串口设备"_s);
        rig.openPortButton()->click();
        QCOMPARE(rig.desktop.host.shown, QStringList{
            u"warning Qorvath 欢迎您: 没有找到串口设备。请插上连接单片机的 USB 转串口适配器（CH340、PL2303、CP210x、FTDI 等），"
            u"在窗口左下方的“COM1 设备”列表中选择它，再按“打开串口”。"_s});
    }

    // A file taken: its first N − 353 bytes as 0x.., the size line, a warning
    // when the reference board will refuse it, the caret at the end. A file
    // refused: a message naming it, nothing else changes.
    void windowChoosesFile_data()
    {
        const QString notGlyphs = u"\n注意：文件大小 %1 字节不是本软件生成的字模文件的大小（32×字数＋353 字节），参考单片机会拒收。"_s
                                  + timeText(morning);
        QTest::addColumn<QByteArray>("content"); // null: the file does not exist
        QTest::addColumn<QString>("listing");    // null: the file is refused
        QTest::newRow("empty file") << ""_ba << sizeLine.arg(-353) + notGlyphs.arg(0);
        QTest::newRow("00 1F A0 then tail") << "\0\x1F\xA0"_ba + tail << u"0x0, 0x1F, 0xA0, "_s + sizeLine.arg(3) + notGlyphs.arg(356);
        QTest::newRow("1013 cells, beyond the reference board")
            << QByteArray(32 * 1013, '\0') + tail
            << u"0x0, "_s.repeated(32416) + sizeLine.arg(32416)
                   + u"\n注意：文件大小 32769 字节超过参考单片机的字模存储（最多 32737 字节，即 1012 个字），参考单片机会拒收。"_s
                   + timeText(morning);
        QTest::newRow("64 KiB, the largest taken")
            << QByteArray(65536, '\0') << u"0x0, "_s.repeated(65183) + sizeLine.arg(65183) + notGlyphs.arg(65536);
        QTest::newRow("missing") << QByteArray() << QString();
        QTest::newRow("64 KiB and one byte") << QByteArray(65537, '\0') << QString();
        QTest::newRow("a pipe") << "fifo"_ba << QString();
    }
    void windowChoosesFile()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, listing);
        WindowRig rig;
        rig.form->show();
        QVERIFY(QTest::qWaitForWindowActive(rig.form.get()));
        const bool fifo = content == "fifo";
#ifdef Q_OS_UNIX
        if (fifo) // it would block the window for ever
            QCOMPARE(::mkfifo(QFile::encodeName(rig.desktop.dir.filePath(u"glyphs.bin"_s)).constData(), 0600), 0);
#else
        if (fifo)
            QSKIP("no named pipes in the file system");
#endif
        const QString path = rig.choose(u"glyphs.bin"_s, fifo ? QByteArray() : content);
        QCOMPARE(rig.desktop.host.filters, QStringList{u"二进制文件(*.bin;*.hex;) (*.bin *.hex)"_s});
        QCOMPARE(rig.text(), listing.isNull() ? helpText : listing);
        QCOMPARE(rig.buttons(), listing.isNull() ? u"off off off"_s : u"on off off"_s);
        QCOMPARE(rig.desktop.host.shown.size(), listing.isNull() ? 1 : 0);
        if (listing.isNull())
            QVERIFY(rig.desktop.host.shown[0].startsWith(u"warning ") && rig.desktop.host.shown[0].contains(path));
        else
            QVERIFY(rig.logBox()->hasFocus() && rig.logBox()->textCursor().atEnd());
    }

    // The window: Form3's controls keep their names, frames, places (pixels,
    // from the classic layout's twips at 15 a pixel) and captions; fixed size
    // with a close box only, the lists preset, the help text shown (or one
    // line naming it when it is missing), no button to press; a cancelled
    // dialog changes none of it. Later a cancelled dialog loads the previous
    // choice again as that file is now. Then the buttons after each event;
    // the close box closes the port. ("返回" is followed in test_desktop_program.)
    void windowSession()
    {
        WindowRig rig;
        rig.form->show();
        const QStringList expected = QString::fromUtf8(readFile(
            QStringLiteral(LEDGLYPH_SOURCE_DIR "/tests/download/expected/download_window_layout.txt"))).split(u'\n', Qt::SkipEmptyParts);
        QStringList layout;
        for (const QString &row : expected)
            layout << describeControl(controlOf(rig.form.get(), row.section(u' ', 0, 0)), rig.form.get());
        QCOMPARE(layout, expected);
        QCOMPARE(rig.form->size(), QSize(737, 367));
        QCOMPARE(rig.form->minimumSize(), rig.form->maximumSize());
        QCOMPARE(int(rig.form->windowFlags() & (Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint)),
                 int(Qt::WindowCloseButtonHint));
        QVERIFY(rig.form->windowTitle().contains(u"http://www.qorvath.test"_s));
        QCOMPARE(rig.displayModeList()->currentText(), u"左移动显示"_s);
        QCOMPARE(rig.speedList()->currentText(), u"变化速度1"_s);
        QVERIFY(rig.logBox()->isReadOnly());
        rig.choose({});
        QCOMPARE(rig.logBox()->toPlainText(), helpText);
        QCOMPARE(rig.buttons(), u"off off off"_s);
        WindowRig noHelp(false);
        QVERIFY(noHelp.text().startsWith(u"无法读取帮助文件 "_s + noHelp.desktop.dir.filePath(u"hellp.qvx"_s) + u"。\n系统信息："_s));

        const QString path = rig.choose(u"zimuo.bin"_s, QByteArray(32, '\xAB') + tail);
        writeFile(path, "\x01\x02"_ba + QByteArray(30, '\0') + tail);
        rig.choose({});
        QCOMPARE(rig.text(), u"0x1, 0x2, "_s + u"0x0, "_s.repeated(30) + sizeLine.arg(32));
        rig.openPortButton()->click();
        QCOMPARE(rig.buttons(), u"off on off"_s);
        rig.desktop.host.answers = {MessageAnswer::Cancel};
        rig.desktop.link->receive("xs");
        QCOMPARE(rig.buttons(), u"off on on"_s);
        // While a transfer leaves, its progress shows below the frames and no
        // other file can wipe the log of the one being sent.
        const auto progress = [&rig] { return rig.progressLine()->text(); };
        rig.desktop.link->holdWrites = true;
        rig.sendButton()->click();
        QVERIFY(!rig.openFileButton()->isEnabled());
        QCOMPARE(progress(), u"已发送 0 / 391 字节，还需约 1 秒"_s);
        rig.desktop.link->drain();
        QCOMPARE(progress(), u"391 字节已全部发出，等待单片机收下……"_s);
        rig.form->findChild<QTimer *>(u"quietAfterTransfer"_s)->start(0);
        QTRY_COMPARE(progress(), u"已发出 391 字节，下载完成"_s);
        QVERIFY(rig.openFileButton()->isEnabled());
        QCOMPARE(rig.buttons(), u"on off off"_s);

        rig.openPortButton()->click();
        rig.form->close();
        QVERIFY(!rig.desktop.link->isOpen());
    }
};

QTEST_MAIN(DownloadTest)
#include "test_download.moc"
