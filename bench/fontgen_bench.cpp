// ledglyph-fontgen-bench: how long ledglyph-fontgen takes to build both
// libraries from a whole font (the goal: under 2 s for a CJK TrueType font),
// for the fonts of the README's preview sheets and Unifont; and, side by side
// with otf2bdf (Debian package otf2bdf) on the same characters of
// wqy-zenhei.ttc, whether it stays within 1.2 times otf2bdf's time. Not a
// test: it prints tables of figures, and exits with 1 when a run fails or
// the side-by-side goal is missed; fonts or otf2bdf not installed are skipped.

#include "bench/timing.h"
#include "platform/console_output.h"
#include "tools/fontgen/font_libraries.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>

using namespace ledglyph;

namespace {

const QString zenHei = QStringLiteral("/usr/share/fonts/truetype/wqy/wqy-zenhei.ttc");
constexpr double goalRatio = 1.2;

// Runs a program to its end; the milliseconds it took, or -1 when it did not
// end with `exitCode`.
double timedRun(const QString &program, const QStringList &arguments, int exitCode)
{
    QElapsedTimer timer;
    timer.start();
    QProcess process;
    process.start(program, arguments);
    const bool ok = process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit
        && process.exitCode() == exitCode;
    return ok ? static_cast<double>(timer.nsecsElapsed()) / 1e6 : -1;
}

// The characters the libraries hold, as otf2bdf's subset: decimal code
// points, a run of them as FIRST_LAST.
QString subsetList(const fontgen::CharacterSet &characters)
{
    QList<char32_t> codes(characters.cbegin(), characters.cend());
    std::sort(codes.begin(), codes.end());
    QStringList runs;
    for (qsizetype first = 0, last = 0; first < codes.size(); first = ++last) {
        while (last + 1 < codes.size() && codes[last + 1] == codes[last] + 1)
            ++last;
        runs << (first == last ? QString::number(codes[first]) : QStringLiteral("%1_%2").arg(codes[first]).arg(codes[last]));
    }
    return runs.join(QLatin1Char(' '));
}

// ledglyph-fontgen and otf2bdf on wqy-zenhei.ttc: the same characters at 16
// pixels, both through FreeType, each writing its output. They take turns, so
// that both meet the same load of the machine. False when a run failed or
// ledglyph-fontgen took more than goalRatio times otf2bdf's median.
bool sideBySide(int repetitions, const QString &outDir)
{
    const QString otf2bdf = QStandardPaths::findExecutable(QStringLiteral("otf2bdf"));
    if (otf2bdf.isEmpty() || !QFile::exists(zenHei)) {
        console::writeOut(QStringLiteral("\nSide by side with otf2bdf: skipped (needs otf2bdf and %1)\n").arg(zenHei));
        return true;
    }
    const QStringList ours{QStringLiteral("--font"), zenHei, QStringLiteral("--out-dir"), outDir};
    const fontgen::CharacterSet characters = fontgen::libraryCharacters();
    // otf2bdf 3.1 ends with status 8 after a whole font; its output tells.
    const QString bdf = outDir + QStringLiteral("/zenhei.bdf");
    const QStringList theirs{QStringLiteral("-p"), QStringLiteral("16"), QStringLiteral("-r"), QStringLiteral("72"),
                             QStringLiteral("-l"), subsetList(characters), QStringLiteral("-o"), bdf, zenHei};
    QList<double> oursMs;
    QList<double> theirsMs;
    bool ok = true;
    for (int i = 0; i < repetitions; ++i) {
        oursMs << timedRun(QStringLiteral(LEDGLYPH_APPDIR "/ledglyph-fontgen"), ours, 0);
        QFile::remove(bdf);
        theirsMs << timedRun(otf2bdf, theirs, 8);
        QFile file(bdf);
        ok = ok && oursMs.last() >= 0 && theirsMs.last() >= 0 && file.open(QIODevice::ReadOnly)
            && file.readAll().endsWith("ENDFONT\n");
    }
    const bench::Timing fontgenTiming = bench::summarize(oursMs);
    const bench::Timing otf2bdfTiming = bench::summarize(theirsMs);
    const double ratio = fontgenTiming.medianMs / otf2bdfTiming.medianMs;
    console::writeOut(QStringLiteral("\nSide by side on %1, the %2 characters of the libraries at 16 pixels, "
                                     "%3 turns each; times in ms\n\n   median       min  program\n"
                                     "%4 %5  ledglyph-fontgen\n%6 %7  otf2bdf\n"
                                     "ledglyph-fontgen / otf2bdf: %8 (goal: at most %9)%10\n")
                          .arg(zenHei).arg(characters.size()).arg(repetitions)
                          .arg(fontgenTiming.medianMs, 9, 'f', 1).arg(fontgenTiming.minMs, 9, 'f', 1)
                          .arg(otf2bdfTiming.medianMs, 9, 'f', 1).arg(otf2bdfTiming.minMs, 9, 'f', 1)
                          .arg(ratio, 0, 'f', 2).arg(goalRatio, 0, 'f', 1)
                          .arg(ok ? QString() : QStringLiteral("  (a run failed)")));
    return ok && ratio <= goalRatio;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int repetitions = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 5;
    QTemporaryDir out;
    if (!out.isValid() || repetitions < 1) {
        console::writeErr(QStringLiteral("usage: ledglyph-fontgen-bench [REPETITIONS]\n"));
        return 2;
    }
    const QList<QStringList> fonts{
        {QStringLiteral("--font"), QStringLiteral("/usr/share/fonts/truetype/wqy/wqy-zenhei.ttc")},
        {QStringLiteral("--font"), QStringLiteral("/usr/share/fonts/truetype/arphic/uming.ttc")},
        {QStringLiteral("--font"), QStringLiteral("/usr/share/fonts/truetype/arphic/ukai.ttc")},
        {QStringLiteral("--font"), QStringLiteral("/usr/share/fonts/X11/misc/wenquanyi_12pt.pcf")},
        {QStringLiteral("--hex"), QStringLiteral("/usr/share/unifont/unifont.hex")},
    };
    console::writeOut(QStringLiteral("ledglyph-fontgen, whole process, %1 runs each; times in ms\n\n"
                                     "   median       min  font\n")
                          .arg(repetitions));
    bool allOk = true;
    for (const QStringList &font : fonts) {
        if (!QFile::exists(font.last()))
            continue;
        const bench::Timing timing = bench::measure(repetitions, [&] {
            QProcess fontgen;
            fontgen.start(QStringLiteral(LEDGLYPH_APPDIR "/ledglyph-fontgen"),
                          font + QStringList{QStringLiteral("--out-dir"), out.path()});
            return fontgen.waitForFinished(60000) && fontgen.exitStatus() == QProcess::NormalExit
                && fontgen.exitCode() == 0;
        });
        allOk = allOk && timing.ok;
        console::writeOut(QStringLiteral("%1 %2  %3%4\n")
                              .arg(timing.medianMs, 9, 'f', 1)
                              .arg(timing.minMs, 9, 'f', 1)
                              .arg(font.last(), timing.ok ? QString() : QStringLiteral("  (a run failed)")));
    }
    allOk = sideBySide(std::max(repetitions, 11), out.path()) && allOk;
    return allOk ? 0 : 1;
}
