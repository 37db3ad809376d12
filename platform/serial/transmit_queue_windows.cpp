#include "platform/serial/transmit_queue.h"

#include <windows.h>

namespace ledglyph {

std::optional<qint64> driverQueuedBytes(const QSerialPort &port)
{
    // ClearCommError also reads the port's status, and with it the bytes in
    // the driver's output queue; the error flags it clears are the port's own
    // (QSerialPort looks at them the same way).
    DWORD errors = 0;
    COMSTAT status{};
    if (::ClearCommError(port.handle(), &errors, &status))
        return static_cast<qint64>(status.cbOutQue);
    return std::nullopt;
}

} // namespace ledglyph
