#include "bench/timing.h"

#include <QElapsedTimer>

#include <algorithm>

namespace ledglyph::bench {

Timing measure(int repetitions, const std::function<bool()> &once)
{
    bool ok = true;
    QList<double> samples;
    for (int i = 0; i < repetitions; ++i) {
        QElapsedTimer timer;
        timer.start();
        ok = once() && ok;
        samples.append(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    Timing timing = summarize(std::move(samples));
    timing.ok = ok;
    return timing;
}

Timing summarize(QList<double> samplesMs)
{
    Timing timing;
    std::sort(samplesMs.begin(), samplesMs.end());
    const qsizetype n = samplesMs.size();
    timing.minMs = samplesMs.first();
    timing.medianMs = n % 2 ? samplesMs[n / 2] : (samplesMs[n / 2 - 1] + samplesMs[n / 2]) / 2;
    return timing;
}

} // namespace ledglyph::bench
