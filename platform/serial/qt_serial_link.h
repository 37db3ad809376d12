#pragma once

#include "platform/serial/serial_link.h"

#include <QSerialPort>

namespace ledglyph {

// Why a device did not open, for the user: when the user lacks the right to
// use the device at all (on Linux: not in its group, dialout), how to get
// it; otherwise that the device may be missing or held by another program
// (on Windows "access denied" means that). The system's reason comes last.
QString openFailureMessage(const QString &reason, bool noAccess);

// The serial port of the download: a thin adapter over QSerialPort, whose
// notifications it passes on as they come.
class QtSerialLink final : public SerialLink {
    Q_OBJECT
public:
    explicit QtSerialLink(QString device = {}, QObject *parent = nullptr);
    ~QtSerialLink() override;

    QString deviceName() const override { return m_device; }
    void setDeviceName(const QString &device) override { m_device = device; }
    [[nodiscard]] Status open(const LineSettings &settings) override;
    void close() override;
    void discardAndClose() override;
    bool isOpen() const override { return m_port.isOpen(); }
    bool write(const QByteArray &bytes) override;
    qint64 unsentBytes() const override;
    QByteArray readAll() override;

private:
    void onError(QSerialPort::SerialPortError error);
    void drainQueuedBytes();

    QString m_device;
    QSerialPort m_port;
    qint32 m_baudRate = LEDGLYPH_BAUD_RATE;
};

} // namespace ledglyph
