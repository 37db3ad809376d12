#pragma once

#include "cli/ports_command_line.h"
#include "platform/exit_code.h"

#include <QString>

#include <optional>

namespace ledglyph::cli {

// Prints the serial ports as the download window lists them, the one that
// stands for COM1 marked, and why it does (or that nothing decides). ExitSuccess.
ExitCode runPorts(const PortsRequest &request);

// The device `ledglyph-cli download` opens: `given` (--device) when given,
// otherwise COM1 as the download window chooses it. Nothing when nothing
// decides; the ports and a request for --device then went to standard error.
std::optional<QString> downloadDevice(const QString &given);

} // namespace ledglyph::cli
