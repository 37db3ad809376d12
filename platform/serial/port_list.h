#pragma once

#include <QList>
#include <QString>

#include <optional>

namespace ledglyph {

// One serial port the system lists.
struct SerialPortEntry {
    QString device = {};                   // what the port opens by: "/dev/ttyUSB0", "COM3"
    QString description = {};              // "USB-SERIAL CH340"; may be empty
    std::optional<quint16> vendorId = {};  // USB ids: only a USB adapter has them
    std::optional<quint16> productId = {};
    bool console = false;                  // the system writes its console to this port

    bool isUsbAdapter() const { return vendorId && productId; }
    friend bool operator==(const SerialPortEntry &, const SerialPortEntry &) = default;
};

// The ports the system lists now. On Linux Qt lists a ttyS port only when a
// UART answers behind it, so a listed system port is real hardware.
QList<SerialPortEntry> listSerialPorts();

// The system's own first serial port: COM1 on Windows, /dev/ttyS0 elsewhere.
QString systemCom1Device();

// "USB-SERIAL CH340 (1A86:7523)": the description and the USB ids, as far as known.
QString portDetails(const SerialPortEntry &port);

// "USB-SERIAL CH340 (1A86:7523) — /dev/ttyUSB0", or the device alone; a
// console port says so.
QString portLabel(const SerialPortEntry &port);

} // namespace ledglyph
