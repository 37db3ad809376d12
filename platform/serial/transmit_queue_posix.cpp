#include "platform/serial/transmit_queue.h"

#include <sys/ioctl.h>
#include <termios.h>

namespace ledglyph {

std::optional<qint64> driverQueuedBytes(const QSerialPort &port)
{
#ifdef TIOCOUTQ
    int pending = 0;
    if (::ioctl(port.handle(), TIOCOUTQ, &pending) == 0)
        return pending;
#else
    Q_UNUSED(port);
#endif
    return std::nullopt;
}

} // namespace ledglyph
