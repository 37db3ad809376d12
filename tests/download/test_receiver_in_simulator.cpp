// The reference firmware, built by SDCC, in the ucsim 8051 simulator on the
// far end of a serial line: what it stores from ledglyph-cli download, from
// the window's download and from hand-made transfers, read back from the
// simulated external RAM.
// Needs the Debian packages sdcc, sdcc-ucsim and socat; fails without them.

#include "download/wire_format.h"
#include "firmware/receiver.h"
#include "simulated_board.h"
#include "window_sending.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QSerialPort>

using namespace ledglyph;
using namespace ledglyph::test;
using namespace Qt::StringLiterals;

namespace {

// A sender by hand: polls until the board answers, then writes `transfer`
// as the line would carry it. False when the board never answered.
bool sendByHand(const QString &device, const QByteArray &transfer)
{
    QSerialPort port(device);
    if (!port.open(QIODevice::ReadWrite))
        return false;
    const bool answered = QTest::qWaitFor([&] {
        port.write("s");
        return port.waitForReadyRead(LEDGLYPH_POLL_INTERVAL_MS) && port.readAll().endsWith('s');
    }, 30000);
    if (!answered)
        return false;
    port.write(transfer);
    return QTest::qWaitFor([&] { return port.bytesToWrite() == 0 || !port.waitForBytesWritten(100); }, 30000)
           && port.bytesToWrite() == 0;
}

QByteArray transfer(const QByteArray &data, char speed)
{
    return QByteArray("\x79\x01", 2) + speed + data + "sss";
}

} // namespace

class ReceiverInSimulatorTest : public QObject {
    Q_OBJECT

    SimulatedBoard m_board;
    BoardRecord m_record;
    QByteArray m_stored; // the glyph file the board holds now

    // The board accepted `data` with `speed`, and its store holds it byte for byte.
    void verifyStored(const QByteArray &data, int speed)
    {
        const BoardRecord record = m_board.nextDecision(m_record);
        QCOMPARE(record.decisions, (m_record.decisions + 1) % 256);
        QCOMPARE(record.lastDecision, 0);
        QVERIFY(record.valid);
        QCOMPARE(record.length, data.size());
        QCOMPARE(record.speed, speed);
        QCOMPARE(m_board.xram(0, int(data.size()) - 1), data);
        m_record = record;
        m_stored = data;
    }

    // The board refused a transfer for `refusal` and kept the earlier file.
    void verifyRefused(int refusal)
    {
        const BoardRecord record = m_board.nextDecision(m_record);
        QCOMPARE(record.decisions, (m_record.decisions + 1) % 256);
        QCOMPARE(record.lastDecision, refusal);
        QCOMPARE(record.length, m_record.length);
        QCOMPARE(record.speed, m_record.speed);
        QCOMPARE(m_board.xram(0, int(m_stored.size()) - 1), m_stored);
        m_record = record;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_board.start());
        m_record = m_board.record();
        QVERIFY(!m_record.valid); // the simulator's RAM starts with noise, never a record
    }

    void init() { m_board.clearSenderEnd(); }

    // A text of twelve characters converted and sent by ledglyph-cli, as the
    // README shows it.
    void commandLineDownloadArrives()
    {
        const QString dir = m_board.dir.path();
        QProcess cli;
        cli.start(QStringLiteral(LEDGLYPH_APPDIR "/ledglyph-cli"), {"convert", u"欢迎光临 LED 显示屏"_s, "--out-dir", dir});
        QVERIFY(cli.waitForFinished(30000) && cli.exitCode() == 0);
        const QByteArray glyphs = readFile(dir + u"/zimuo.bin"_s);
        QCOMPARE(glyphs.size(), 32 * 12 + 353);

        cli.start(QStringLiteral(LEDGLYPH_APPDIR "/ledglyph-cli"),
                  {"download", dir + u"/zimuo.bin"_s, "--device", m_board.endA, "--speed", "5", "--yes", "--wait", "60"});
        QVERIFY(cli.waitForFinished(90000));
        const QString said = QString::fromUtf8(cli.readAllStandardError());
        QVERIFY2(cli.exitCode() == 0 && said.contains(u"下载完成：743 字节（字模文件 737 字节）"_s), qPrintable(said));
        verifyStored(glyphs, 5);
    }

    // Random bytes hold 0x18 (the simulator's menu key) and, placed there,
    // "sss" and a whole header: all of it is data.
    void dataHoldingTheTrailerIsStoredWhole()
    {
        QByteArray data(32 * 20 + 353, 0);
        QRandomGenerator random(22);
        for (char &byte : data)
            byte = char(random.bounded(256));
        data.replace(100, 9, "sss\x79\x01\x02sss");
        data[200] = 0x18;
        QVERIFY(sendByHand(m_board.endA, transfer(data, 6)));
        verifyStored(data, 6);
    }

    void wrongHeaderKeepsTheGlyphs()
    {
        QVERIFY(sendByHand(m_board.endA, "\x79\x02\x01" + QByteArray(32 * 2 + 353, 0x55) + "sss"));
        verifyRefused(REFUSAL_BAD_HEADER);
    }

    void transferCutOffKeepsTheGlyphs()
    {
        QVERIFY(sendByHand(m_board.endA, transfer(QByteArray(32 * 12 + 353, 0x66), 2).left(400)));
        verifyRefused(REFUSAL_CUT_OFF);
    }

    // A converted text of thirteen characters, sent by the window as a user
    // would (offscreen, boxes answered OK), arrives whole.
    void windowDownloadArrives()
    {
        TestDesktop desktop(m_board.dir.path(), QTime(21, 5, 33));
        const QByteArray glyphs = convertedGlyphFile(u"点阵显示屏LED Sign"_s, m_board.dir.path(), desktop.clock);
        QCOMPARE(glyphs.size(), 32 * 13 + 353);
        const auto window = windowSending(desktop, m_board.endA, m_board.dir.filePath(u"zimuo.bin"_s));
        QTRY_VERIFY_WITH_TIMEOUT(formState(*window) == u"on off off stopped"_s && desktop.host.shown.size() == 3, 60000);
        QCOMPARE(desktop.host.styles(), u"48 33 64"_s);
        verifyStored(glyphs, 3);
    }
};

QTEST_MAIN(ReceiverInSimulatorTest)
#include "test_receiver_in_simulator.moc"
