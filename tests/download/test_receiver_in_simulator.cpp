// The reference firmware, built by SDCC, in the ucsim 8051 simulator (s51) at
// the far end of a serial line built from two socat pseudo-terminal pairs with
// ledglyph-line-relay between them:
//   sender -- socat -- relay -- ... -- relay -- socat -- s51
// What it stores from ledglyph-cli download and what it keeps over a transfer
// cut off, read back from the simulated external RAM. The simulator's console
// is its standard input: each command is followed by an `expr` whose known
// result marks the end of the answer.
// Needs the Debian packages sdcc, sdcc-ucsim and socat; fails without them.

#include "firmware/glyph_store.h"
#include "firmware/receiver.h"
#include "tests/support/pty_pair.h"
#include "tests/support/test_files.h"

#include <QRandomGenerator>
#include <QSerialPort>

using namespace ledglyph::test;
using namespace Qt::StringLiterals;

namespace {

// The board's record in its glyph store (see firmware/glyph_store.h).
struct BoardRecord {
    bool valid = false;
    int length = 0;
    int speed = 0;
    int decisions = 0;    // transfers decided since power-on, modulo 256
    int lastDecision = -1; // 0 accepted, else the refusal
    QList<int> values() const { return {valid, length, speed, decisions, lastDecision}; }
};

class SimulatedBoard {
public:
    PtyPair senderLine; // the sender on its sender end, the relay on its board end
    PtyPair boardLine;  // the relay on its sender end, the simulator on its board end
    const QString &senderEnd = senderLine.senderEnd; // the sender's device

    // Starts the line and the simulator with the firmware. False, with the
    // reason in the test log, when any part does not start.
    bool start()
    {
        if (!senderLine.start() || !boardLine.start())
            return false;
        m_relay.setProcessChannelMode(QProcess::ForwardedChannels);
        m_relay.start(QStringLiteral(LEDGLYPH_APPDIR "/ledglyph-line-relay"),
                      {"--sender", senderLine.boardEnd, "--board", boardLine.senderEnd});
        m_simulator.setProcessChannelMode(QProcess::MergedChannels);
        m_simulator.start(QStringLiteral("s51"), {"-t", "52", "-X", "11.0592M", "-e", "expr uart0_check_often=1",
                                                  "-s", boardLine.boardEnd, "-g", QStringLiteral(LEDGLYPH_FIRMWARE_IHX)});
        if (!m_relay.waitForStarted(5000) || !m_simulator.waitForStarted(5000)) {
            qCritical("relay or simulator did not start (Debian package sdcc-ucsim installed?): %s %s",
                      qPrintable(m_relay.errorString()), qPrintable(m_simulator.errorString()));
            return false;
        }
        return command(QStringLiteral("info hw uart")).contains(u"uart[0] on");
    }

    // The answer of one console command, empty when none came within the bound.
    QString command(const QString &line)
    {
        const QString marker = QString::number(++m_commands + 700000);
        m_output.clear();
        m_simulator.write((line + QLatin1Char('\n')).toLatin1());
        m_simulator.write(QStringLiteral("expr %1\n").arg(marker).toLatin1());
        const auto answered = [&] {
            m_output += m_simulator.readAll();
            return m_output.contains(QByteArray('\n' + marker.toLatin1() + '\n'));
        };
        if (!QTest::qWaitFor(answered, consoleWaitMs))
            return {};
        const QString text = QString::fromLatin1(m_output);
        return text.left(text.lastIndexOf(marker));
    }

    // External RAM from `start` to `end` (inclusive), read through the console
    // as Intel HEX: ":", count, address, record type 00, the data, a checksum.
    QByteArray xram(int start, int end)
    {
        QByteArray bytes;
        const QString dump = command(QStringLiteral("dump /i xram 0x%1 0x%2").arg(start, 0, 16).arg(end, 0, 16));
        for (const QString &record : dump.split(QLatin1Char('\n'))) {
            if (record.startsWith(QLatin1Char(':')) && record.mid(7, 2) == QLatin1String("00"))
                bytes += QByteArray::fromHex(record.mid(9, 2 * record.mid(1, 2).toInt(nullptr, 16)).toLatin1());
        }
        return bytes.size() == end - start + 1 ? bytes : QByteArray();
    }

    BoardRecord record()
    {
        const QByteArray bytes = xram(GLYPH_RECORD_OFFSET, GLYPH_RECORD_LAST_DECISION);
        if (bytes.isEmpty())
            return {};
        const auto at = [&](int i) { return int(quint8(bytes.at(i))); };
        return {bytes.startsWith("LG"), at(2) | at(3) << 8, at(4), at(8), at(9)};
    }

    // The record once the board has decided a transfer after `before`; its
    // decision count unchanged when it did not decide within the bound.
    BoardRecord nextDecision(const BoardRecord &before)
    {
        BoardRecord now;
        const auto decided = [&] {
            now = record();
            return now.decisions != before.decisions;
        };
        return QTest::qWaitFor(decided, decisionWaitMs) ? now : before;
    }

private:
    static constexpr int consoleWaitMs = 60000; // s51 reads its console now and then while it runs
    static constexpr int decisionWaitMs = 90000;

    HelperProcess m_relay;
    HelperProcess m_simulator;
    QByteArray m_output;
    int m_commands = 0;
};

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
        QCOMPARE(stored.values(), (QList<int>{true, 993, 5, (powerOn.decisions + 1) % 256, REFUSAL_NONE}));
        QCOMPARE(board.xram(0, 992), data);

        // A poll, then a header and the start of the data at once: the board
        // answers the poll and takes the header after it.
        QSerialPort sender(board.senderEnd);
        QVERIFY(sender.open(QIODevice::ReadWrite));
        QCOMPARE(sender.write("s\x79\x01\x02"_ba + QByteArray(397, 0x66)), 401);
        QVERIFY(sender.waitForBytesWritten(5000));
        const BoardRecord refused = board.nextDecision(stored);
        QCOMPARE(refused.values(), (QList<int>{true, 993, 5, (stored.decisions + 1) % 256, REFUSAL_CUT_OFF}));
        QCOMPARE(board.xram(0, 992), data);
    }
};

QTEST_GUILESS_MAIN(ReceiverInSimulatorTest)
#include "test_receiver_in_simulator.moc"
