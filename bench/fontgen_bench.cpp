// ledglyph-fontgen-bench: how long ledglyph-fontgen takes to build both
// libraries from a whole font (the goal: under 2 s for a CJK TrueType font),
// for the fonts of the README's preview sheets and Unifont. Not a test: it
// prints a table of figures; fonts that are not installed are skipped.

#include "bench/timing.h"
#include "platform/console_output.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

using namespace ledglyph;

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
    return allOk ? 0 : 1;
}
