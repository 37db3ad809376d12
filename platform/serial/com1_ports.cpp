#include "platform/serial/com1_ports.h"

#include "platform/serial/qt_serial_link.h"

#include <QSettings>

namespace ledglyph {

namespace {

const QString settingsKey = QStringLiteral("serial/com1Device");

// Named here rather than taken from the application, so that the window and
// ledglyph-cli read and write the same settings.
QSettings userSettings()
{
    return QSettings(QStringLiteral("ledglyph"), QStringLiteral("ledglyph"));
}

} // namespace

QString Com1Ports::environment()
{
    return qEnvironmentVariable("LEDGLYPH_COM1").trimmed();
}

PortChoice Com1Ports::choose(const QList<SerialPortEntry> &present) const
{
    return choosePort(present, environment(), remembered(), systemCom1Device());
}

QString SystemCom1Ports::remembered() const
{
    return userSettings().value(settingsKey).toString();
}

void SystemCom1Ports::remember(const QString &device)
{
    userSettings().setValue(settingsKey, device);
}

std::unique_ptr<SerialLink> makeCom1Link()
{
    return std::make_unique<QtSerialLink>();
}

} // namespace ledglyph
