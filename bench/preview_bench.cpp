// ledglyph-preview-bench: the preview window on the longest glyph file (1012
// characters, 16*16): how long it takes from its creation until the first
// frame is painted, and how closely the frames keep to the board's step rate
// while it plays (for each step, when it was first painted against when it
// was due; steps never painted were caught up by a later frame). Not a test:
// it prints figures. Run it on a display or with QT_QPA_PLATFORM=offscreen.
//   ledglyph-preview-bench [SECONDS_PER_SPEED]

#include "bench/bench_texts.h"
#include "bench/timing.h"
#include "core/conversion.h"
#include "platform/console_output.h"
#include "platform/gui/desktop_services.h"
#include "ui/matrix_view.h"
#include "ui/preview_window.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <algorithm>

using namespace ledglyph;

namespace {

struct Pacing {
    int steps = 0;   // steps due while playing
    int missed = 0;  // of those, never painted
    double meanLateMs = 0;
    double maxLateMs = 0;
};

// Plays from step 0 for `seconds` and notes the first paint of every step.
Pacing measurePacing(PreviewWindow &window, const QByteArray &glyphs, int speedCode, int seconds)
{
    window.play({.glyphs = glyphs, .speedCode = speedCode});
    QList<qint64> firstPaintNs;
    QElapsedTimer sincePlay;
    const QMetaObject::Connection noted = QObject::connect(&window.matrix(), &MatrixView::painted, [&](qint64 step) {
        while (firstPaintNs.size() <= step)
            firstPaintNs << -1;
        if (firstPaintNs[step] < 0)
            firstPaintNs[step] = sincePlay.nsecsElapsed();
    });
    window.seekTime(0);
    sincePlay.start();
    QEventLoop loop;
    QTimer::singleShot(seconds * 1000, &loop, &QEventLoop::quit);
    loop.exec();
    QObject::disconnect(noted);

    const double stepMs = preview::BoardFrames::stepMs(speedCode);
    Pacing pacing;
    pacing.steps = int(seconds * 1000 / stepMs);
    double lateSum = 0;
    int painted = 0;
    for (int step = 1; step <= pacing.steps; ++step) {
        if (step >= firstPaintNs.size() || firstPaintNs[step] < 0) {
            ++pacing.missed;
            continue;
        }
        const double late = firstPaintNs[step] / 1e6 - step * stepMs;
        lateSum += late;
        pacing.maxLateMs = std::max(pacing.maxLateMs, late);
        ++painted;
    }
    pacing.meanLateMs = painted ? lateSum / painted : 0;
    return pacing;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const int seconds = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 10;
    if (seconds < 1) {
        console::writeErr(QStringLiteral("usage: ledglyph-preview-bench [SECONDS_PER_SPEED]\n"));
        return 2;
    }
    const fonts::FontLibraries fonts = fonts::FontLibraries::load(QStringLiteral(LEDGLYPH_APPDIR));
    const Result<ConversionProducts> converted = convertText(bench::mixedText1012(), {}, fonts, QDateTime());
    if (!converted.ok()) {
        console::writeErr(converted.error().message + QLatin1Char('\n'));
        return 1;
    }
    const QByteArray glyphs = converted.value().glyphs;

    QtMessageBox boxes;
    DesktopLauncher launcher;
    QtFileDialog files;
    SystemClock clock;
    DesktopServices services{boxes, launcher, files, clock, QStringLiteral(LEDGLYPH_APPDIR), [] {}};

    // Opening: created, given the file, shown, first frame painted; the
    // first window of the process on its own (Qt loads its style and fonts).
    const auto openOnce = [&] {
        bool painted = false;
        PreviewWindow window(services, nullptr);
        QObject::connect(&window.matrix(), &MatrixView::painted, [&painted] { painted = true; });
        window.play({.glyphs = glyphs});
        window.show();
        QElapsedTimer limit;
        limit.start();
        while (!painted && limit.elapsed() < 5000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        return painted;
    };
    const bench::Timing first = bench::measure(1, openOnce);
    const bench::Timing open = bench::measure(30, openOnce);
    console::writeOut(QStringLiteral("%1 bytes (1012 characters), platform %2\n")
                          .arg(glyphs.size())
                          .arg(QGuiApplication::platformName()));
    console::writeOut(QStringLiteral("open, until the first frame is painted: first %1 ms; then median %2 ms, "
                                     "min %3 ms (30 runs)%4\n")
                          .arg(first.medianMs, 0, 'f', 2)
                          .arg(open.medianMs, 0, 'f', 2)
                          .arg(open.minMs, 0, 'f', 2)
                          .arg(open.ok && first.ok ? QString() : QStringLiteral("  (a window never painted)")));

    PreviewWindow window(services, nullptr);
    window.show();
    console::writeOut(QStringLiteral("\npacing, %1 s per speed; late: first paint of a step after it was due\n"
                                     "speed  step   steps  not painted  mean late  max late\n")
                          .arg(seconds));
    for (const int speedCode : {1, 3, 6}) {
        const Pacing pacing = measurePacing(window, glyphs, speedCode, seconds);
        console::writeOut(QStringLiteral("%1      %2 ms  %3  %4          %5 ms    %6 ms\n")
                              .arg(speedCode)
                              .arg(preview::BoardFrames::stepMs(speedCode), 3)
                              .arg(pacing.steps, 5)
                              .arg(pacing.missed, 3)
                              .arg(pacing.meanLateMs, 6, 'f', 2)
                              .arg(pacing.maxLateMs, 6, 'f', 2));
    }
    return open.ok && first.ok ? 0 : 1;
}
