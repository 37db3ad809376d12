#include "platform/serial/com1_device.h"

#include "platform/serial/ms_comm1.h"

#include <QtGlobal>

namespace ledglyph {

QString com1DeviceName()
{
    const QString chosen = qEnvironmentVariable("LEDGLYPH_COM1").trimmed();
    if (!chosen.isEmpty())
        return chosen;
#ifdef Q_OS_WIN
    return QStringLiteral("COM1");
#else
    return QStringLiteral("/dev/ttyS0");
#endif
}

std::unique_ptr<SerialLink> makeCom1Link()
{
    return std::make_unique<MSComm1>(com1DeviceName());
}

} // namespace ledglyph
