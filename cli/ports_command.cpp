#include "cli/ports_command.h"

#include "download/port_texts.h"
#include "platform/console_output.h"
#include "platform/serial/com1_ports.h"

namespace ledglyph::cli {

ExitCode runPorts(const PortsRequest &)
{
    const SystemCom1Ports ports;
    const QList<SerialPortEntry> present = ports.present();
    console::writeOut(port_texts::portListing(present, ports.choose(present)));
    return ExitSuccess;
}

std::optional<QString> downloadDevice(const QString &given)
{
    if (!given.isEmpty())
        return given;
    const SystemCom1Ports ports;
    const QList<SerialPortEntry> present = ports.present();
    const PortChoice choice = ports.choose(present);
    if (choice.decided())
        return choice.device;
    console::writeErr(port_texts::undecidedForCommandLine(present));
    return std::nullopt;
}

} // namespace ledglyph::cli
