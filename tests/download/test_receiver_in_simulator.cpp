// The reference firmware, built by SDCC, in the ucsim 8051 simulator (s51) at
// the far end of a serial line built from two socat pseudo-terminal pairs with
// ledglyph-line-relay between them:
//   sender -- socat -- relay -- socat -- s51
// What it stores from ledglyph-cli download (a file full of traps, then the
// longest glyph file there is) and what it keeps over a transfer cut off, read
// back from the simulated external RAM. The simulator's console is its
// standard input: each command is followed by an `expr` whose known result
// marks the end of the answer. s51 runs as firmware/README.md says, its serial
// input with flow control: nothing the sender sends is lost, however slowly
// the simulator runs.
// Needs the Debian packages sdcc, sdcc-ucsim and socat; fails without them.

#include "firmware/glyph_store.h"
#include "firmware/receiver.h"
#include "tests/support/pty_pair.h"
#include "tests/support/test_files.h"

#include <QRandomGenerator>
#include <QSerialPort>
#include <QStringDecoder>

using namespace ledglyph::test;
using namespace Qt::StringLiterals;

namespace {

// The board's record in its glyph store (see firmware/glyph_store.h): valid,
// length, speed, transfers decided (modulo 256, never cleared) and the last
// decision (0 accepted, else the refusal); empty when it cannot be read.
using BoardRecord = QList<int>;

struct SimulatedBoard {
    PtyPair senderLine; // the sender on its sender end, the relay on its board end
    PtyPair boardLine;  // the relay on its sender end, the simulator on its board end
    HelperProcess relay;
    HelperProcess simulator;
    QByteArray output;  // of the console command running
    int commands = 0;

    // Starts the line and the simulator with the firmware. False, with the
    // reason in the test log, when any part does not start.
    bool start()
    {
        if (!senderLine.start() || !boardLine.start())
            return false;
        relay.setProcessChannelMode(QProcess::ForwardedChannels);
        // Unpaced: the bytes wait in the pseudo-terminal until the simulated
        // UART takes them, back to back.
        relay.start(builtProgram(u"ledglyph-line-relay"_s),
                    {"--sender", senderLine.boardEnd, "--board", boardLine.senderEnd, "--rate", "0"});
        simulator.setProcessChannelMode(QProcess::MergedChannels);
        simulator.start(QStringLiteral("s51"), {"-t", "C52", "-X", "11.0592M", "-e", "expr uart0_check_often=1", "-e",
                                                "expr uart0_flowctrl=1", "-s", boardLine.boardEnd, "-g",
                                                QStringLiteral(LEDGLYPH_FIRMWARE_IHX)});
        if (!relay.waitForStarted(5000) || !simulator.waitForStarted(5000)) {
            qCritical("relay or simulator did not start (Debian package sdcc-ucsim installed?): %s %s",
                      qPrintable(relay.errorString()), qPrintable(simulator.errorString()));
            return false;
        }
        return command(QStringLiteral("info hw uart")).contains(u"uart[0] on");
    }

    // The answer of one console command, empty when none came within the bound.
    QString command(const QString &line)
    {
        const QString marker = QString::number(++commands + 700000);
        output.clear();
        simulator.write((line + QLatin1Char('\n')).toLatin1());
        simulator.write(QStringLiteral("expr %1\n").arg(marker).toLatin1());
        const auto answered = [&] {
            output += simulator.readAll();
            return output.contains(QByteArray('\n' + marker.toLatin1() + '\n'));
        };
        // s51 reads its console now and then while it runs.
        if (!QTest::qWaitFor(answered, 60000))
            return {};
        const QString text = QString::fromLatin1(output);
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

    // The record once the board has decided a transfer after `before`; empty
    // when it did not decide within `seconds`.
    BoardRecord nextDecision(const BoardRecord &before, int seconds = 90)
    {
        BoardRecord now;
        const auto decided = [&] {
            now = record();
            return now.size() == 5 && now[3] != before.value(3);
        };
        return QTest::qWaitFor(decided, seconds * 1000) ? now : BoardRecord();
    }

    // Waits until the board's main loop has nothing left to do: s51 shows the
    // CPU in idle mode, which the firmware enters only then. False when it
    // did not within a minute.
    bool waitUntilIdle()
    {
        return QTest::qWaitFor([this] { return command(QStringLiteral("state")).contains(u"CPU state= Idle"); }, 60000);
    }

    // Sends `file` with ledglyph-cli download, polling for the board and
    // sending well within the minute a program may run. The board's record
    // says what arrived.
    bool download(const QString &file, int speed)
    {
        const ProgramRun run = runProgram(builtProgram(u"ledglyph-cli"_s), {"download", file, "--device", senderLine.senderEnd,
                                                                            "--speed", QString::number(speed), "--yes", "--wait", "40"});
        if (run.exitCode != 0)
            qWarning("ledglyph-cli download: %s", qPrintable(run.err));
        return run.exitCode == 0;
    }
};

// 1,012 characters, the most a glyph file holds: the level-1 hanzi of GB2312
// from 啊 (B0A1) on.
QString longestText()
{
    QByteArray bytes;
    for (int i = 0; i < 1012; ++i)
        bytes.append(char(0xB0 + i / 94)).append(char(0xA1 + i % 94));
    return QStringDecoder("GBK").decode(bytes);
}

} // namespace

class ReceiverInSimulatorTest : public QObject {
    Q_OBJECT

private slots:
    // Random bytes sent by ledglyph-cli hold 0x18 (the simulator's menu key
    // without flow control) and, placed there, "sss" and a whole header: all
    // of it is data, stored whole. Then the longest glyph file, 1,012
    // characters converted by ledglyph-cli, stored byte for byte in their
    // place. A transfer cut off later is refused, and the board keeps it.
    void storedWholeAndKeptOverACutOff()
    {
        SimulatedBoard board;
        QVERIFY(board.start());
        const BoardRecord powerOn = board.record();
        QVERIFY(powerOn.size() == 5 && !powerOn[0]); // the simulator's RAM starts with noise, never a record

        QByteArray data(32 * 20 + 353, 0);
        QRandomGenerator random(22);
        for (char &byte : data)
            byte = char(random.bounded(256));
        data.replace(100, 9, "sss\x79\x01\x02sss");
        data[200] = 0x18;
        const QString file = board.senderLine.dir.filePath(u"traps.bin"_s);
        writeFile(file, data);
        QVERIFY(board.download(file, 5));
        const BoardRecord first = board.nextDecision(powerOn);
        QCOMPARE(first, (BoardRecord{true, 993, 5, (powerOn[3] + 1) % 256, REFUSAL_NONE}));
        QCOMPARE(board.xram(0, 992), data);

        const QString text = board.senderLine.dir.filePath(u"text.txt"_s);
        writeFile(text, longestText().toUtf8());
        const ProgramRun converted = runProgram(builtProgram(u"ledglyph-cli"_s),
                                                {"convert", "--text-file", text, "--out-dir", board.senderLine.dir.path()});
        QVERIFY2(converted.exitCode == 0, qPrintable(converted.err));
        const QByteArray glyphs = readFile(board.senderLine.dir.filePath(u"zimuo.bin"_s));
        QCOMPARE(glyphs.size(), 32737);
        QVERIFY(glyphs.contains('\x18'));
        QVERIFY(board.download(board.senderLine.dir.filePath(u"zimuo.bin"_s), 3));
        // 32,743 bytes: 34 s on a real line, half that in s51 (its UART runs
        // at twice the rate), which takes longer in real time.
        const BoardRecord stored = board.nextDecision(first, 240);
        QCOMPARE(stored, (BoardRecord{true, 32737, 3, (first[3] + 1) % 256, REFUSAL_NONE}));
        QCOMPARE(board.xram(0, 32736), glyphs);

        // A poll, then a header and the start of the data at once: the board
        // answers the poll and takes the header after it. Sent at once, they
        // need the board idle: after a decision it draws its first screen,
        // and bytes beyond its 16-byte queue would be lost meanwhile (a sender
        // that waits for the answer loses nothing).
        QVERIFY(board.waitUntilIdle());
        QSerialPort sender(board.senderLine.senderEnd);
        QVERIFY(sender.open(QIODevice::ReadWrite));
        QCOMPARE(sender.write("s\x79\x01\x02"_ba + QByteArray(397, 0x66)), 401);
        QVERIFY(sender.waitForBytesWritten(5000));
        const BoardRecord refused = board.nextDecision(stored);
        QCOMPARE(refused, (BoardRecord{true, 32737, 3, (stored[3] + 1) % 256, REFUSAL_CUT_OFF}));
        QCOMPARE(board.xram(0, 32736), glyphs);
    }
};

QTEST_GUILESS_MAIN(ReceiverInSimulatorTest)
#include "test_receiver_in_simulator.moc"
