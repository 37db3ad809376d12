// ledglyph-bench: how long a conversion of 1012 characters (the longest text a
// run takes) lasts in each cell mode and format, in-process and as a whole
// ledglyph-cli process. Not a test: it prints a table of figures.

#include "bench/bench_texts.h"
#include "bench/timing.h"
#include "core/conversion_run.h"
#include "platform/clock.h"
#include "platform/console_output.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTemporaryDir>

using namespace ledglyph;

namespace {

struct Case {
    const char *name;
    OutputFormat format;
    CellMode cell;
};

const Case cases[] = {
    {"16x16 C51", OutputFormat::C51, CellMode::Cell16x16},
    {"16x16 A51", OutputFormat::A51, CellMode::Cell16x16},
    {"8x16  C51", OutputFormat::C51, CellMode::Cell8x16},
    {"8x16  A51", OutputFormat::A51, CellMode::Cell8x16},
};

QString cell(double ms)
{
    return QStringLiteral("%1").arg(ms, 9, 'f', 2);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int inProcessRepetitions = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 30;
    const int processRepetitions = qMax(3, inProcessRepetitions / 3);
    const QString appDir = QStringLiteral(LEDGLYPH_APPDIR);
    QTemporaryDir out;
    if (!out.isValid() || inProcessRepetitions < 1) {
        console::writeErr(QStringLiteral("usage: ledglyph-bench [REPETITIONS]\n"));
        return 2;
    }

    const FixedClock clock(QDateTime::fromSecsSinceEpoch(0, Qt::UTC));
    console::writeOut(QStringLiteral("1012 characters, invert and mirror on; in-process %1 runs, "
                                     "ledglyph-cli process %2 runs; times in ms\n\n")
                          .arg(inProcessRepetitions)
                          .arg(processRepetitions));
    console::writeOut(QStringLiteral("mode       in-process median/min  |  ledglyph-cli median/min\n"));
    bool allOk = true;
    for (const Case &c : cases) {
        const QString text = c.cell == CellMode::Cell16x16 ? bench::mixedText1012() : bench::asciiText1012();
        ConversionOptions options;
        options.format = c.format;
        options.cellMode = c.cell;

        ConversionRun run(appDir, out.path(), clock);
        const bench::Timing inProcess = bench::measure(inProcessRepetitions, [&] {
            return run.run(text, options).kind == RunOutcome::Kind::Completed;
        });

        const QStringList arguments{QStringLiteral("convert"), text,
                                    QStringLiteral("--format"), c.format == OutputFormat::C51 ? QStringLiteral("c51") : QStringLiteral("a51"),
                                    QStringLiteral("--cell"), c.cell == CellMode::Cell16x16 ? QStringLiteral("16x16") : QStringLiteral("8x16"),
                                    QStringLiteral("--out-dir"), out.path()};
        const bench::Timing process = bench::measure(processRepetitions, [&] {
            QProcess cli;
            cli.start(appDir + QStringLiteral("/ledglyph-cli"), arguments);
            return cli.waitForFinished(60000) && cli.exitStatus() == QProcess::NormalExit && cli.exitCode() == 0;
        });

        allOk = allOk && inProcess.ok && process.ok;
        console::writeOut(QStringLiteral("%1  %2 %3     | %4 %5%6\n")
                              .arg(QLatin1String(c.name), cell(inProcess.medianMs), cell(inProcess.minMs),
                                   cell(process.medianMs), cell(process.minMs),
                                   inProcess.ok && process.ok ? QString() : QStringLiteral("  (a run failed)")));
    }
    return allOk ? 0 : 1;
}
