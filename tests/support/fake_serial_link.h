#pragma once

// A serial link whose bytes the test controls: what it took, when it fails,
// when queued bytes leave, and what the board sends. And the ports the system
// lists, with a memory of the user's choice that never reaches real settings.

#include "platform/serial/com1_ports.h"
#include "platform/serial/serial_link.h"

#include <utility>

namespace ledglyph::test {

class FakeSerialLink final : public SerialLink {
    Q_OBJECT
public:
    std::optional<Failure> openFailure;      // what open() gives, when set
    std::optional<LineSettings> openedWith;
    bool holdWrites = false;                 // bytes stay queued until drain()
    qint64 driverHeld = 0;                   // of those, still in the driver after drain(), until driverDrain()
    int failWriteNumber = 0;                 // the n-th write to the open link is refused
    qint64 discarded = 0;                    // queued bytes thrown away by discardAndClose()
    QByteArray written;                      // every byte the link took, in order

    QString deviceName() const override { return m_device; }
    void setDeviceName(const QString &device) override { m_device = device; }
    Status open(const LineSettings &settings) override
    {
        openedWith = settings;
        m_open = !openFailure;
        return openFailure ? Status(*openFailure) : Status();
    }
    void close() override { m_open = false; }
    void discardAndClose() override
    {
        discarded += std::exchange(m_pending, 0);
        m_open = false;
    }
    bool isOpen() const override { return m_open; }
    bool write(const QByteArray &bytes) override
    {
        if (!m_open)
            return false;
        if (++m_writes == failWriteNumber) {
            emit failed(QStringLiteral("写入出错"));
            return false;
        }
        written += bytes;
        m_pending += holdWrites ? bytes.size() : 0;
        return true;
    }
    qint64 unsentBytes() const override { return m_pending; }
    QByteArray readAll() override { return std::exchange(m_incoming, {}); }

    // The board sends a batch (an empty one is a notification without bytes).
    void receive(const QByteArray &batch)
    {
        m_incoming += batch;
        emit notified();
    }
    // The link's own buffer has been handed on; `driverHeld` bytes stay in the driver.
    void drain()
    {
        m_pending = qMin(m_pending, driverHeld);
        emit notified();
        emit allWritten();
    }
    // The driver's queue has run empty (which nobody is told).
    void driverDrain() { m_pending = 0; }

private:
    QString m_device = QStringLiteral("/dev/fake-com1");
    bool m_open = false;
    int m_writes = 0;
    qint64 m_pending = 0;
    QByteArray m_incoming;
};

class FakeCom1Ports final : public Com1Ports {
public:
    QList<SerialPortEntry> ports; // what the system lists
    QString memory;               // the device the user chose last time

    QList<SerialPortEntry> present() const override { return ports; }
    QString remembered() const override { return memory; }
    void remember(const QString &device) override { memory = device; }
};

} // namespace ledglyph::test
