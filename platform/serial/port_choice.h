#pragma once

#include "platform/serial/port_list.h"

namespace ledglyph {

// Why a device stands for COM1.
enum class ChoiceReason {
    Undecided,      // nothing decides: the user is to pick one
    Environment,    // LEDGLYPH_COM1 names it
    Remembered,     // the user chose it last time, and it is there
    SystemCom1,     // the system's own COM1 (COM1, /dev/ttyS0), listed as real hardware
    OnlyUsbAdapter, // the one USB adapter plugged in
};

struct PortChoice {
    QString device; // empty when undecided
    ChoiceReason reason = ChoiceReason::Undecided;

    bool decided() const { return reason != ChoiceReason::Undecided; }
    friend bool operator==(const PortChoice &, const PortChoice &) = default;
};

// The device that stands for COM1, first of: `environment` (LEDGLYPH_COM1) as
// given; `remembered` if it is among `present`; `systemCom1` if it is among
// `present`; the one USB adapter among `present`. A port the system's console
// uses is never taken unasked. Empty strings count as not given.
PortChoice choosePort(const QList<SerialPortEntry> &present, const QString &environment,
                      const QString &remembered, const QString &systemCom1);

} // namespace ledglyph
