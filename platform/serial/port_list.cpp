#include "platform/serial/port_list.h"

#include <QFile>
#include <QSerialPortInfo>
#include <QStringList>

namespace ledglyph {

namespace {

// The ports the kernel writes its console to ("ttyS0"). Sending the poll there
// would write into the console of a server or a virtual machine.
QStringList consolePorts()
{
#ifdef Q_OS_LINUX
    QFile active(QStringLiteral("/sys/class/tty/console/active"));
    if (active.open(QIODevice::ReadOnly))
        return QString::fromLatin1(active.readAll()).simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
#endif
    return {};
}

} // namespace

QList<SerialPortEntry> listSerialPorts()
{
    const QStringList consoles = consolePorts();
    QList<SerialPortEntry> ports;
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts()) {
        SerialPortEntry port;
#ifdef Q_OS_WIN
        port.device = info.portName(); // "COM3"; the location is "\\.\COM3"
#else
        port.device = info.systemLocation();
#endif
        port.description = info.description();
        if (info.hasVendorIdentifier())
            port.vendorId = info.vendorIdentifier();
        if (info.hasProductIdentifier())
            port.productId = info.productIdentifier();
        port.console = consoles.contains(info.portName());
        ports << port;
    }
    return ports;
}

QString systemCom1Device()
{
#ifdef Q_OS_WIN
    return QStringLiteral("COM1");
#else
    return QStringLiteral("/dev/ttyS0");
#endif
}

QString portDetails(const SerialPortEntry &port)
{
    QStringList parts;
    if (!port.description.isEmpty())
        parts << port.description;
    if (port.isUsbAdapter())
        parts << QStringLiteral("(%1:%2)")
                     .arg(*port.vendorId, 4, 16, QLatin1Char('0'))
                     .arg(*port.productId, 4, 16, QLatin1Char('0'))
                     .toUpper();
    return parts.join(QLatin1Char(' '));
}

QString portLabel(const SerialPortEntry &port)
{
    const QString details = portDetails(port);
    return (details.isEmpty() ? port.device : details + QStringLiteral(" — ") + port.device)
           + (port.console ? QStringLiteral("（系统控制台）") : QString());
}

} // namespace ledglyph
