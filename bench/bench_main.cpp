// ledglyph-bench: how long a conversion of 1012 characters (the longest text a
// run takes) lasts in each cell mode and format: the conversion alone with the
// fonts loaded, a whole run that writes its files, and a whole ledglyph-cli
// process next to one on 10 characters (its start-up cost). Not a test: it
// prints a table of figures.

#include "bench/bench_texts.h"
#include "bench/timing.h"
#include "core/conversion.h"
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

QString figure(double ms)
{
    return QStringLiteral("%1").arg(ms, 7, 'f', 3);
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
                                     "processes %2 runs; times in ms, median / min\n"
                                     "convert: fonts loaded, nothing written; run: convert and write the three "
                                     "files; cli: a whole ledglyph-cli process, then one on 10 characters\n\n")
                          .arg(inProcessRepetitions)
                          .arg(processRepetitions));
    console::writeOut(QStringLiteral("mode        convert              run                  cli 1012             cli 10\n"));
    const fonts::FontLibraries fonts = fonts::FontLibraries::load(appDir);
    bool allOk = true;
    for (const Case &c : cases) {
        const QString text = c.cell == CellMode::Cell16x16 ? bench::mixedText1012() : bench::asciiText1012();
        const ConversionOptions options{.format = c.format, .cellMode = c.cell};

        const bench::Timing convert = bench::measure(inProcessRepetitions, [&] {
            return convertText(text, options, fonts, clock.now()).ok();
        });
        ConversionRun run(appDir, out.path(), clock);
        const bench::Timing inProcess = bench::measure(inProcessRepetitions, [&] {
            return run.run(text, options).kind == RunOutcome::Kind::Completed;
        });
        const auto process = [&](const QString &processText) {
            const QStringList arguments{
                QStringLiteral("convert"), processText,
                QStringLiteral("--format"), c.format == OutputFormat::C51 ? QStringLiteral("c51") : QStringLiteral("a51"),
                QStringLiteral("--cell"), c.cell == CellMode::Cell16x16 ? QStringLiteral("16x16") : QStringLiteral("8x16"),
                QStringLiteral("--out-dir"), out.path()};
            return bench::measure(processRepetitions, [&] {
                QProcess cli;
                cli.start(appDir + QStringLiteral("/ledglyph-cli"), arguments);
                return cli.waitForFinished(60000) && cli.exitStatus() == QProcess::NormalExit && cli.exitCode() == 0;
            });
        };
        const bench::Timing longProcess = process(text);
        const bench::Timing shortProcess = process(text.left(10));

        const bool ok = convert.ok && inProcess.ok && longProcess.ok && shortProcess.ok;
        allOk = allOk && ok;
        QString line = QLatin1String(c.name) + QLatin1Char(' ');
        for (const bench::Timing &timing : {convert, inProcess, longProcess, shortProcess})
            line += QStringLiteral(" %1 / %2").arg(figure(timing.medianMs), figure(timing.minMs));
        console::writeOut(line + (ok ? QString() : QStringLiteral("  (a run failed)")) + QLatin1Char('\n'));
    }
    return allOk ? 0 : 1;
}
