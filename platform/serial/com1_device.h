#pragma once

#include "platform/serial/serial_link.h"

#include <QString>

#include <memory>

namespace ledglyph {

// The device that stands for COM1: the environment variable LEDGLYPH_COM1 when
// set (a USB adapter such as /dev/ttyUSB0, or a pseudo-terminal in tests),
// otherwise COM1 on Windows and /dev/ttyS0 elsewhere.
QString com1DeviceName();

// The serial port on that device.
std::unique_ptr<SerialLink> makeCom1Link();

} // namespace ledglyph
