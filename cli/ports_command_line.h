#pragma once

#include "platform/command_line.h"

#include <QStringList>

namespace ledglyph::cli {

// `ledglyph-cli ports` takes nothing but -h/--help.
struct PortsRequest {};

using PortsCommandLine = ParsedCommandLine<PortsRequest>;

// ledglyph-cli ports
PortsCommandLine parsePortsCommandLine(const QStringList &arguments);

} // namespace ledglyph::cli
