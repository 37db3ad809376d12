#include "platform/serial/port_watch.h"

namespace ledglyph {

PortWatch::PortWatch(QObject *parent) : QObject(parent), m_devices(this), m_timer(this)
{
    setObjectName(QStringLiteral("portWatch"));
    connect(&m_timer, &QTimer::timeout, this, &PortWatch::mayHaveChanged);
#ifndef Q_OS_WIN
    if (m_devices.addPath(QStringLiteral("/dev"))) {
        m_timer.setSingleShot(true);
        m_timer.setInterval(1000);
        connect(&m_devices, &QFileSystemWatcher::directoryChanged, &m_timer, qOverload<>(&QTimer::start));
        return;
    }
#endif
    m_timer.start(1500);
}

} // namespace ledglyph
