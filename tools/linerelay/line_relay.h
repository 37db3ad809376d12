#pragma once

#include <QByteArray>
#include <QString>

#include <chrono>
#include <optional>

namespace ledglyph::relay {

// ucsim's serial input takes 0x18 (Ctrl-X) as the key of its control menu
// and the byte after it as a menu command; 0x18 followed by 'x' is the
// menu's "insert ^X", which hands the board a plain 0x18.
constexpr char simulatorMenuKey = 0x18;
constexpr char simulatorInsertMenuKey = 'x';

// Bytes from the sender to the board, in the form the simulator's serial
// input takes them.
QByteArray escapeForSimulator(const QByteArray &bytes);

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
// the program: sender to board escaped and paced, board to sender unchanged.
// Returns the reason when a device cannot be opened or fails.
std::optional<QString> relay(const QString &senderDevice, const QString &boardDevice, int bytesPerSecond);

} // namespace ledglyph::relay
