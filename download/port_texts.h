#pragma once

// What is said about the device that stands for COM1: why a device was taken,
// the list of ports, and the request to pick one when nothing decides.

#include "platform/serial/port_choice.h"

#include <QString>

namespace ledglyph::port_texts {

// "唯一插着的 USB 串口适配器", ...
QString reason(ChoiceReason why);

// "COM1 = /dev/ttyUSB0：唯一插着的 USB 串口适配器", or that nothing decides.
QString choiceLine(const PortChoice &choice);

// ledglyph-cli ports: each port on a line, "* " before the one that stands for
// COM1, then the choice line (LF between lines, one at the end).
QString portListing(const QList<SerialPortEntry> &present, const PortChoice &choice);

// ledglyph-cli download without --device when nothing decides.
QString undecidedForCommandLine(const QList<SerialPortEntry> &present);

} // namespace ledglyph::port_texts
