#pragma once

#include "platform/serial/port_choice.h"
#include "platform/serial/serial_link.h"

#include <memory>

namespace ledglyph {

// What the choice of the device that stands for COM1 rests on: the ports the
// system lists, the environment variable LEDGLYPH_COM1 (a pseudo-terminal in
// tests, or a device the system does not list), and the device the user chose
// last time. Tests replace the list and the memory.
class Com1Ports {
public:
    virtual ~Com1Ports() = default;

    virtual QList<SerialPortEntry> present() const = 0;
    virtual QString remembered() const = 0;
    virtual void remember(const QString &device) = 0;

    // LEDGLYPH_COM1 without surrounding blanks; empty when unset.
    static QString environment();

    // The choice among `present` (as listed a moment ago).
    PortChoice choose(const QList<SerialPortEntry> &present) const;
};

// The host's own: Qt's list of serial ports, and the choice kept in the
// user's settings (shared by the window and ledglyph-cli).
class SystemCom1Ports final : public Com1Ports {
public:
    QList<SerialPortEntry> present() const override { return listSerialPorts(); }
    QString remembered() const override;
    void remember(const QString &device) override;
};

// The serial port of a download window; its device is set before each open.
std::unique_ptr<SerialLink> makeCom1Link();

} // namespace ledglyph
