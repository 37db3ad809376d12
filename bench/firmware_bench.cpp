// ledglyph-firmware-bench: the machine cycles the reference firmware spends
// on each received byte with the refresh interrupt running, counted by the
// ucsim 8051 simulator (s51), and the margin against a real 9600-baud line:
// 960 machine cycles a byte (11.0592 MHz / 12 / 960 bytes a second). The goal:
// busy under 800 cycles a byte, a margin of a sixth. Not a test: it prints
// the figures that firmware/README.md gives ("Time per received byte").
//
// s51 reads a whole transfer from a file as the board's serial input, with
// flow control; the simulation stops between steps, so the counts are exact
// and the same on every machine. The firmware idles (PCON.IDL) when it has
// nothing to do and s51 counts those cycles apart: busy is everything else.
// s51 0.6.4 takes a byte in half the time Timer 1 sets (TH1 = 0xFD, 9600
// baud), so for the 9600-baud figures TH1 is set to 0xFA from the console.

#include "platform/console_output.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

using namespace ledglyph;

namespace {

constexpr int lineBytes = 960;          // machine cycles a byte at 9600 baud
constexpr int tickCycles = 921;         // Timer 2's reload: the refresh interrupt every 1 ms
constexpr int glyphFileBytes = 32 * 1012 + 353;

// The receiver's state on the 8051 (firmware/receiver.h, two-byte pointers):
// where the linker put it (the .map file) and the offsets used here.
constexpr int countOffset = 4;
constexpr int stateOffset = 12;
constexpr int refusalOffset = 15;
constexpr int receivingData = 3; // RECEIVER_DATA

class Simulator {
public:
    bool start(const QString &serialInput)
    {
        m_s51.setProcessChannelMode(QProcess::MergedChannels);
        m_s51.start(QStringLiteral("s51"), {"-t", "C52", "-X", "11.0592M", "-e", "expr uart0_check_often=1", "-e",
                                            "expr uart0_flowctrl=1", "-S", "in=" + serialInput + ",out=/dev/null",
                                            QStringLiteral(LEDGLYPH_FIRMWARE_IHX)});
        return m_s51.waitForStarted(5000);
    }
    ~Simulator()
    {
        m_s51.kill();
        m_s51.waitForFinished(3000);
    }

    // The answer of one console command (the simulation is stopped: it comes at once).
    QString command(const QString &line)
    {
        const QByteArray marker = QByteArray::number(++m_commands + 700000);
        m_s51.write(line.toLatin1() + "\nexpr " + marker + '\n');
        QByteArray output;
        while (!output.contains('\n' + marker + '\n') && m_s51.waitForReadyRead(30000))
            output += m_s51.readAll();
        return QString::fromLatin1(output.left(output.lastIndexOf(marker)));
    }

    // Cycles since reset: all of them, in interrupts, idle.
    struct Counts {
        qint64 total = 0, interrupts = 0, idle = 0;
    };
    Counts counts()
    {
        const QString state = command(QStringLiteral("state"));
        const auto cycles = [&](const char *label) {
            const QRegularExpressionMatch m =
                QRegularExpression(QLatin1String(label) + QStringLiteral(R"([^\n]*\((\d+) clks\))")).match(state);
            return m.captured(1).toLongLong() / 12;
        };
        return {cycles("Total time"), cycles("Time in isr"), cycles("Time in idle")};
    }

    int xram(int address)
    {
        const QString dump = command(QStringLiteral("dump /i xram 0x%1 0x%1").arg(address, 0, 16));
        const QRegularExpressionMatch m = QRegularExpression(QStringLiteral(R"(:01[0-9A-F]{4}00([0-9A-F]{2}))")).match(dump);
        return m.hasMatch() ? m.captured(1).toInt(nullptr, 16) : -1;
    }

private:
    QProcess m_s51;
    int m_commands = 0;
};

int receiverAddress()
{
    QFile map(QStringLiteral(LEDGLYPH_FIRMWARE_IHX).replace(QStringLiteral(".ihx"), QStringLiteral(".map")));
    if (!map.open(QIODevice::ReadOnly))
        return -1;
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral(R"(\b([0-9A-F]{8})\s+_rx\b)")).match(QString::fromLatin1(map.readAll()));
    return m.hasMatch() ? m.captured(1).toInt(nullptr, 16) : -1;
}

struct Window {
    double cyclesPerByte = 0, busy = 0, interrupts = 0;
    bool whole = false; // still receiving, nothing lost
};

// Steps through a transfer that comes in back to back and counts a window of
// `instructions` in the middle of its data. `th1`: Timer 1's reload, empty
// for the firmware's own.
Window receiving(const QString &line, const QString &th1, int instructions)
{
    const int rx = receiverAddress();
    Simulator s51;
    if (rx < 0 || !s51.start(line))
        return {};
    s51.command(QStringLiteral("step 5000"));
    if (!th1.isEmpty())
        s51.command(QStringLiteral("set mem sfr 0x8d ") + th1);
    s51.command(QStringLiteral("step 400000"));
    const auto received = [&] { return s51.xram(rx + countOffset) | s51.xram(rx + countOffset + 1) << 8; };
    const Simulator::Counts before = s51.counts();
    const int first = received();
    s51.command(QStringLiteral("step %1").arg(instructions));
    const Simulator::Counts after = s51.counts();
    const int bytes = received() - first;
    if (bytes <= 0)
        return {};
    const double total = double(after.total - before.total);
    return {total / bytes, (total - double(after.idle - before.idle)) / bytes,
            double(after.interrupts - before.interrupts) / bytes,
            received() < glyphFileBytes && s51.xram(rx + stateOffset) == receivingData
                && s51.xram(rx + refusalOffset) == 0};
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString line = dir.filePath(QStringLiteral("line.bin"));
    QFile file(line);
    if (!dir.isValid() || !file.open(QIODevice::WriteOnly)
        || file.write(QByteArray("s\x79\x01\x01") + QByteArray(glyphFileBytes, 0x5A) + "sss") < 0)
        return 2;
    file.close();

    // The board waiting for a poll: the cost of every millisecond.
    const QString silent = dir.filePath(QStringLiteral("silent.bin"));
    QFile silentFile(silent);
    Simulator quiet;
    if (!silentFile.open(QIODevice::WriteOnly) || !quiet.start(silent)) {
        console::writeErr(QStringLiteral("s51 did not start (Debian package sdcc-ucsim)\n"));
        return 2;
    }
    quiet.command(QStringLiteral("step 400000"));
    const Simulator::Counts a = quiet.counts();
    quiet.command(QStringLiteral("step 1000000"));
    const Simulator::Counts b = quiet.counts();
    const double ticks = double(b.total - a.total) / tickCycles;
    const double refresh = (b.interrupts - a.interrupts) / ticks;
    const double idle = (b.idle - a.idle) / ticks;

    const Window line9600 = receiving(line, QStringLiteral("0xfa"), 2000000);
    const Window fast = receiving(line, QString(), 2000000);
    const double margin = lineBytes - line9600.busy;
    console::writeOut(
        QStringLiteral("ledglyph-firmware-bench: machine cycles of the firmware in s51 (C52, 11.0592 MHz)\n\n"
                       "board waiting, a 1 ms tick (%1 cycles): refresh interrupt %2, main loop %3, idle %4\n"
                       "9600 baud, a byte every %5 cycles: busy %6 (interrupts %7, main loop %8), %9\n"
                       "  margin against %10 cycles a byte: %11 (%12 %)\n"
                       "s51's own rate, a byte every %13 cycles: busy %14, %15\n")
            .arg(tickCycles)
            .arg(refresh, 0, 'f', 1)
            .arg(tickCycles - refresh - idle, 0, 'f', 1)
            .arg(idle, 0, 'f', 1)
            .arg(line9600.cyclesPerByte, 0, 'f', 1)
            .arg(line9600.busy, 0, 'f', 1)
            .arg(line9600.interrupts, 0, 'f', 1)
            .arg(line9600.busy - line9600.interrupts, 0, 'f', 1)
            .arg(line9600.whole ? QStringLiteral("nothing lost") : QStringLiteral("BYTES LOST"))
            .arg(lineBytes)
            .arg(margin, 0, 'f', 1)
            .arg(100 * margin / lineBytes, 0, 'f', 0)
            .arg(fast.cyclesPerByte, 0, 'f', 1)
            .arg(fast.busy, 0, 'f', 1)
            .arg(fast.whole ? QStringLiteral("nothing lost") : QStringLiteral("BYTES LOST")));
    return line9600.whole && fast.whole && line9600.busy < 800 ? 0 : 1;
}
