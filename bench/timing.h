#pragma once

#include <QList>
#include <functional>

namespace ledglyph::bench {

struct Timing {
    double medianMs = 0;
    double minMs = 0;
    bool ok = true; // false when any repetition failed
};

// Runs `once` `repetitions` times and measures each with QElapsedTimer.
// `once` returns false on failure.
Timing measure(int repetitions, const std::function<bool()> &once);

// The median and the least of samples in milliseconds (at least one).
Timing summarize(QList<double> samplesMs);

} // namespace ledglyph::bench
