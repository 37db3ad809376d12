#pragma once

// The reference firmware running in the ucsim 8051 simulator (s51), at the
// far end of a serial line built from two socat pseudo-terminal pairs with
// ledglyph-line-relay between them:
//   sender -- endA | socat | relay -- ... -- relay | socat | simulator's device -- s51
// The simulator's console is its standard input: each command is followed by
// an `expr` whose known result marks the end of the answer. s51 keeps a core
// busy while it runs; it is killed by its process id when the test ends.

#include "firmware/glyph_store.h"

#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSerialPort>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/prctl.h>

namespace ledglyph::test {

// The board's record in its glyph store (see firmware/glyph_store.h).
struct BoardRecord {
    bool valid = false;
    int length = 0;
    int speed = 0;
    int decisions = 0;    // transfers decided since power-on, modulo 256
    int lastDecision = -1; // 0 accepted, else the refusal
};

class SimulatedBoard {
public:
    QTemporaryDir dir;
    const QString endA = dir.filePath(QStringLiteral("host")); // the sender's device

    // Starts the line and the simulator with the firmware. False, with the
    // reason in the test log, when any part does not start.
    bool start()
    {
        const QString relaySender = dir.filePath(QStringLiteral("relay-sender"));
        const QString relayBoard = dir.filePath(QStringLiteral("relay-board"));
        const QString boardEnd = dir.filePath(QStringLiteral("board"));
        // Helpers end with the test, even when it is killed or exits early.
        for (QProcess *process : {&m_simulator, &m_relay, &m_senderLine, &m_boardLine})
            process->setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
        if (!startPair(m_senderLine, endA, relaySender) || !startPair(m_boardLine, relayBoard, boardEnd))
            return false;
        m_relay.setProcessChannelMode(QProcess::ForwardedChannels);
        m_relay.start(QStringLiteral(LEDGLYPH_APPDIR "/ledglyph-line-relay"),
                      {"--sender", relaySender, "--board", relayBoard});
        m_simulator.setProcessChannelMode(QProcess::MergedChannels);
        m_simulator.start(QStringLiteral("s51"), {"-t", "52", "-X", "11.0592M", "-e", "expr uart0_check_often=1",
                                                  "-s", boardEnd, "-g", QStringLiteral(LEDGLYPH_FIRMWARE_IHX)});
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

    // External RAM from `start` to `end` (inclusive), read through the console.
    // A dump line is an address, bytes in hex and the same bytes as text; how
    // many bytes a line holds follows from the next line's address.
    QByteArray xram(int start, int end)
    {
        static const QRegularExpression dumpLine(QStringLiteral("^0x([0-9a-f]+)\\s+(.*)$"),
                                                 QRegularExpression::MultilineOption);
        const QString dump = command(QStringLiteral("dump xram 0x%1 0x%2").arg(start, 0, 16).arg(end, 0, 16));
        QList<std::pair<int, QStringList>> lines;
        for (auto it = dumpLine.globalMatch(dump); it.hasNext();) {
            const QRegularExpressionMatch m = it.next();
            lines.append({m.captured(1).toInt(nullptr, 16), m.captured(2).split(QLatin1Char(' '), Qt::SkipEmptyParts)});
        }
        QByteArray bytes;
        for (qsizetype i = 0; i < lines.size(); ++i) {
            const int count = (i + 1 < lines.size() ? lines.at(i + 1).first : end + 1) - lines.at(i).first;
            for (const QString &hex : lines.at(i).second.mid(0, count))
                bytes += char(hex.toInt(nullptr, 16));
        }
        return bytes.size() == end - start + 1 ? bytes : QByteArray();
    }

    // Throws away what the sender's end still holds from an earlier exchange
    // (answers to polls that were on their way), as a real port that was
    // closed meanwhile would not have kept it.
    void clearSenderEnd()
    {
        QSerialPort port(endA);
        if (port.open(QIODevice::ReadWrite)) {
            QTest::qWait(700);
            port.clear(QSerialPort::Input);
            port.readAll();
        }
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
        BoardRecord now = before;
        const bool decided = QTest::qWaitFor([&] {
            now = record();
            return now.decisions != before.decisions;
        }, decisionWaitMs);
        if (!decided)
            qWarning("the board decided nothing within %d s", decisionWaitMs / 1000);
        return now;
    }

    ~SimulatedBoard()
    {
        for (QProcess *process : {&m_simulator, &m_relay, &m_senderLine, &m_boardLine}) {
            if (process->state() != QProcess::NotRunning) {
                process->kill();
                process->waitForFinished(3000);
            }
        }
    }

private:
    static constexpr int consoleWaitMs = 60000; // s51 reads its console now and then while it runs
    static constexpr int decisionWaitMs = 90000;

    static bool startPair(QProcess &socat, const QString &one, const QString &other)
    {
        socat.start(QStringLiteral("socat"), {"-d", "-d", "pty,raw,echo=0,link=" + one, "pty,raw,echo=0,link=" + other});
        if (!socat.waitForStarted(5000)
            || !QTest::qWaitFor([&] { return QFileInfo::exists(one) && QFileInfo::exists(other); }, 5000)) {
            qCritical("socat made no pseudo-terminals (Debian package 'socat' installed?): %s",
                      qPrintable(socat.errorString()));
            return false;
        }
        return true;
    }

    QProcess m_senderLine;
    QProcess m_boardLine;
    QProcess m_relay;
    QProcess m_simulator;
    QByteArray m_output;
    int m_commands = 0;
};

} // namespace ledglyph::test
