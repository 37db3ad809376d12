#include "bench/timing.h"

#include <QElapsedTimer>

#include <algorithm>

namespace ledglyph::bench {

Timing measure(int repetitions, const std::function<bool()> &once)
{
    Timing timing;
    QList<double> samples;
    for (int i = 0; i < repetitions; ++i) {
        QElapsedTimer timer;
        timer.start();
        timing.ok = once() && timing.ok;
        samples.append(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(samples.begin(), samples.end());
    const qsizetype n = samples.size();
    timing.minMs = samples.first();
    timing.medianMs = n % 2 ? samples[n / 2] : (samples[n / 2 - 1] + samples[n / 2]) / 2;
    return timing;
}

} // namespace ledglyph::bench
