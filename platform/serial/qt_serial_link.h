#pragma once

#include "platform/serial/serial_link.h"

#include <QSerialPort>

namespace ledglyph {

// The serial port of the download: a thin adapter over QSerialPort, whose
// notifications it passes on as they come.
class QtSerialLink final : public SerialLink {
    Q_OBJECT
public:
    explicit QtSerialLink(QString device = {}, QObject *parent = nullptr);
    ~QtSerialLink() override;

    QString deviceName() const override { return m_device; }
    void setDeviceName(const QString &device) override { m_device = device; }
    [[nodiscard]] std::optional<OpenFailure> open(const LineSettings &settings) override;
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
