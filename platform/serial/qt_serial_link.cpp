#include "platform/serial/qt_serial_link.h"

#include "platform/serial/transmit_queue.h"
#include "platform/system_reason.h"

#include <QDeadlineTimer>
#include <QFileInfo>
#include <QSignalBlocker>
#include <QThread>

namespace ledglyph {

namespace {

// A permission error means one of two things. On Windows another program holds
// the port. Elsewhere either the user may not use the device at all (not in the
// group that owns it) or another program has locked it; the device file's own
// permissions, as they apply to this process, tell which.
bool lacksAccess(QSerialPort::SerialPortError error, const QString &device)
{
#ifdef Q_OS_WIN
    Q_UNUSED(error);
    Q_UNUSED(device);
    return false;
#else
    const QFileInfo file(device);
    return error == QSerialPort::PermissionError && file.exists() && !(file.isReadable() && file.isWritable());
#endif
}

} // namespace

QString openFailureMessage(const QString &reason, bool noAccess)
{
    const QString advice =
        noAccess ? QStringLiteral("当前用户没有使用该设备的权限（不在 dialout 组）。请在终端中执行：\n"
                                  "sudo usermod -aG dialout $USER\n"
                                  "然后注销并重新登录，再打开串口。")
                 : QStringLiteral("请检查串口线和设备是否存在、是否被其他程序占用。");
    return withSystemReason(advice, reason);
}

QtSerialLink::QtSerialLink(QString device, QObject *parent)
    : SerialLink(parent), m_device(std::move(device))
{
    setObjectName(QStringLiteral("MSComm1")); // the serial control's name in the download window
    connect(&m_port, &QSerialPort::readyRead, this, &SerialLink::notified);
    connect(&m_port, &QSerialPort::bytesWritten, this, [this] {
        if (m_port.bytesToWrite() == 0) {
            emit notified();
            emit allWritten();
        }
    });
    connect(&m_port, &QSerialPort::errorOccurred, this, &QtSerialLink::onError);
}

QtSerialLink::~QtSerialLink()
{
    close();
}

Status QtSerialLink::open(const LineSettings &settings)
{
    close();
    m_port.setPortName(m_device);
    m_baudRate = settings.baudRate;
    if (!m_port.open(QIODevice::ReadWrite))
        return Failure{openFailureMessage(m_port.errorString(), lacksAccess(m_port.error(), m_device))};
    const bool configured =
        m_port.setBaudRate(settings.baudRate)
        && m_port.setParity(QSerialPort::NoParity)
        && m_port.setDataBits(static_cast<QSerialPort::DataBits>(LEDGLYPH_DATA_BITS))
        && m_port.setStopBits(static_cast<QSerialPort::StopBits>(LEDGLYPH_STOP_BITS))
        && m_port.setFlowControl(QSerialPort::NoFlowControl);
    if (!configured) {
        const QString reason = m_port.errorString();
        m_port.close();
        return Failure{openFailureMessage(reason, false)};
    }
    return {};
}

void QtSerialLink::close()
{
    if (!m_port.isOpen())
        return;
    // Nothing of ours may run while the port drains and shuts.
    const QSignalBlocker blocker(this);
    drainQueuedBytes();
    m_port.close();
}

void QtSerialLink::discardAndClose()
{
    if (!m_port.isOpen())
        return;
    const QSignalBlocker blocker(this);
    // Our queue and the system's transmit queue both, so that closing does not wait for them.
    m_port.clear(QSerialPort::Output);
    m_port.close();
}

bool QtSerialLink::write(const QByteArray &bytes)
{
    if (!m_port.isOpen())
        return false;
    return m_port.write(bytes) == bytes.size();
}

QByteArray QtSerialLink::readAll()
{
    if (!m_port.isOpen())
        return {};
    return m_port.readAll();
}

void QtSerialLink::onError(QSerialPort::SerialPortError error)
{
    switch (error) {
    case QSerialPort::WriteError:
    case QSerialPort::ReadError:
    case QSerialPort::ResourceError:
    case QSerialPort::UnknownError:
        if (m_port.isOpen())
            emit failed(m_port.errorString());
        break;
    default:
        // Errors of opening are reported by open(); timeouts come from our own bounded waits.
        break;
    }
}

qint64 QtSerialLink::unsentBytes() const
{
    if (!m_port.isOpen())
        return 0;
    return m_port.bytesToWrite() + driverQueuedBytes(m_port).value_or(0);
}

// Waits until our buffer and the driver's transmit queue are empty, or the
// bound runs out, or the device stops taking bytes.
void QtSerialLink::drainQueuedBytes()
{
    const QDeadlineTimer deadline(drainDeadlineMs(unsentBytes(), m_baudRate));
    while (m_port.bytesToWrite() > 0 && !deadline.hasExpired()) {
        if (!m_port.waitForBytesWritten(static_cast<int>(qMax<qint64>(deadline.remainingTime(), 1))))
            break;
    }
    if (m_port.bytesToWrite() > 0)
        return; // the device takes nothing more; waiting longer would not help
    while (unsentBytes() > 0 && !deadline.hasExpired())
        QThread::msleep(5);
}

} // namespace ledglyph
