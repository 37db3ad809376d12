#pragma once

#include "platform/result.h"
#include "protocol/wire_format.h"

#include <QByteArray>
#include <QObject>
#include <QString>

namespace ledglyph {

// Line format of a serial link: the speed. The rest of the wire format's line
// is fixed: no parity, 8 data bits, 1 stop bit, no flow control.
struct LineSettings {
    qint32 baudRate = LEDGLYPH_BAUD_RATE;

    static LineSettings download() { return {}; }
};

// How long `bytes` may take to leave at `baudRate` (10 bit times a byte: start
// bit, 8 data bits, stop bit): twice their line time, plus two seconds for the
// device's own latency. Past that the line has stopped taking bytes.
inline qint64 drainDeadlineMs(qint64 bytes, qint32 baudRate)
{
    const qint64 lineMs = bytes * LEDGLYPH_BITS_PER_BYTE * 1000 / (baudRate > 0 ? baudRate : 1);
    return 2 * lineMs + 2000;
}

// A serial link as the download protocol sees it. Reads are binary and return
// every waiting byte; every notification of the port (bytes arrived, transmit
// queue empty, line events) comes as one signal, since the protocol treats them
// alike and simply reads what waits.
class SerialLink : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // The device this link stands for, for messages ("/dev/ttyS0", "COM1").
    virtual QString deviceName() const = 0;

    // The device the next open() opens; an open link keeps its device until then.
    virtual void setDeviceName(const QString &device) = 0;

    // Opens the device with the settings, or says why not: what the user can
    // do about it, then the system's reason on a line of its own
    // (openFailureMessage in qt_serial_link.h).
    [[nodiscard]] virtual Status open(const LineSettings &settings) = 0;

    // Closes the link once every queued byte has left (waiting a bounded time);
    // close() never throws queued bytes away on purpose.
    virtual void close() = 0;

    // Closes the link at once, throwing away every byte still queued: for a
    // transfer the user cancelled or the line stopped taking.
    virtual void discardAndClose() = 0;

    virtual bool isOpen() const = 0;

    // Queues bytes for sending. False when the link refuses them (then `failed` follows).
    virtual bool write(const QByteArray &bytes) = 0;

    // Bytes written but not yet sent on the line: those still in our own
    // buffer and, where the system tells it, those in the driver's transmit
    // queue. A transfer is on the wire when this reaches 0.
    virtual qint64 unsentBytes() const = 0;

    // Every byte waiting in the receive buffer, in arrival order; empty when none waits.
    virtual QByteArray readAll() = 0;

signals:
    // Any event of the port: bytes arrived, the transmit queue ran empty, a line event.
    void notified();
    // Our own buffer has been handed to the device (the driver may still hold
    // bytes: unsentBytes() tells).
    void allWritten();
    // The link broke: a write failed or the device went away. The link must be closed.
    void failed(const QString &reason);
};

} // namespace ledglyph
