// The reference firmware, built by SDCC, in the ucsim 8051 simulator on the
// far end of a serial line: what it stores from ledglyph-cli download and what
// it keeps over a transfer cut off, read back from the simulated external RAM.
// Needs the Debian packages sdcc, sdcc-ucsim and socat; fails without them.

#include "download/wire_format.h"
#include "firmware/receiver.h"
#include "simulated_board.h"
#include "tests/support/test_files.h"

#include <QRandomGenerator>

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

} // namespace

class ReceiverInSimulatorTest : public QObject {
    Q_OBJECT

private slots:
    // Random bytes sent by ledglyph-cli hold 0x18 (the simulator's menu key)
    // and, placed there, "sss" and a whole header: all of it is data, stored
    // whole. A transfer cut off later is refused, and the board keeps them.
    void storedWholeAndKeptOverACutOff()
    {
        SimulatedBoard board;
        QVERIFY(board.start());
        const BoardRecord powerOn = board.record();
        QVERIFY(!powerOn.valid); // the simulator's RAM starts with noise, never a record

        QByteArray data(32 * 20 + 353, 0);
        QRandomGenerator random(22);
        for (char &byte : data)
            byte = char(random.bounded(256));
        data.replace(100, 9, "sss\x79\x01\x02sss");
        data[200] = 0x18;
        const QString file = board.senderLine.dir.filePath(u"zimuo.bin"_s);
        writeFile(file, data);
        // Polling for the board and sending end well within the minute a program may run.
        const ProgramRun run = runProgram(QStringLiteral(LEDGLYPH_APPDIR "/ledglyph-cli"),
                                          {"download", file, "--device", board.senderEnd, "--speed", "5", "--yes", "--wait", "40"});
        QVERIFY2(run.exitCode == 0 && run.err.contains(u"下载完成：999 字节（字模文件 993 字节）"_s), qPrintable(run.err));
        const BoardRecord stored = board.nextDecision(powerOn);
        QCOMPARE(stored, (BoardRecord{true, 993, 5, (powerOn.decisions + 1) % 256, REFUSAL_NONE}));
        QCOMPARE(board.xram(0, 992), data);

        board.clearSenderEnd();
        QVERIFY(sendByHand(board.senderEnd, "\x79\x01\x02"_ba + QByteArray(32 * 12 + 353, 0x66).left(397)));
        const BoardRecord refused = board.nextDecision(stored);
        QCOMPARE(refused, (BoardRecord{true, 993, 5, (stored.decisions + 1) % 256, REFUSAL_CUT_OFF}));
        QCOMPARE(board.xram(0, 992), data);
    }
};

QTEST_GUILESS_MAIN(ReceiverInSimulatorTest)
#include "test_receiver_in_simulator.moc"
