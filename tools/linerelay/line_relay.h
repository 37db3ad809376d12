#pragma once

#include "platform/result.h"

#include <QByteArray>
#include <QString>

#include <chrono>
#include <optional>

namespace ledglyph::relay {

// How many queued bytes may leave now so that, on average, no more than
// `bytesPerSecond` leave (0: no limit). A short burst is allowed after a
// pause, as a UART's buffer would.
class Pacer {
public:
    explicit Pacer(int bytesPerSecond) : m_rate(bytesPerSecond) {}
    qsizetype allowed(std::chrono::steady_clock::time_point now, qsizetype queued);

private:
    int m_rate;
    double m_credit = 0;
    std::optional<std::chrono::steady_clock::time_point> m_last;
};

// Relays between two serial devices (pseudo-terminals) until a signal ends
// the program: sender to board paced, board to sender as it comes; every
// byte unchanged. The sender's bytes are taken at once, however slowly the
// board's side takes them (the simulator with flow control takes a byte
// only when the firmware has read the one before: see firmware/README.md).
// Returns only when a device cannot be opened or fails: why.
Failure relay(const QString &senderDevice, const QString &boardDevice, int bytesPerSecond);

} // namespace ledglyph::relay
