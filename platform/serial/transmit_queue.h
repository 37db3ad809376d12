#pragma once

#include <QSerialPort>

#include <optional>

namespace ledglyph {

// Bytes the serial driver holds in its transmit queue for the open
// `port`: written by the program, not yet sent on the line. Nothing when the
// system cannot tell. (A USB adapter's own buffer on the chip is beyond what any
// system reports; the quiet time after a transfer covers it.)
std::optional<qint64> driverQueuedBytes(const QSerialPort &port);

} // namespace ledglyph
