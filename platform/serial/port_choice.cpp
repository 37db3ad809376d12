#include "platform/serial/port_choice.h"

#include <algorithm>

namespace ledglyph {

PortChoice choosePort(const QList<SerialPortEntry> &present, const QString &environment,
                      const QString &remembered, const QString &systemCom1)
{
    if (!environment.isEmpty())
        return {environment, ChoiceReason::Environment};
    const auto listed = [&present](const QString &device) {
        return !device.isEmpty() && std::ranges::any_of(present, [&](const SerialPortEntry &port) {
            return port.device == device;
        });
    };
    if (listed(remembered))
        return {remembered, ChoiceReason::Remembered};
    const auto freeSystemCom1 = [&](const SerialPortEntry &port) { return port.device == systemCom1 && !port.console; };
    if (std::ranges::any_of(present, freeSystemCom1))
        return {systemCom1, ChoiceReason::SystemCom1};
    const auto freeAdapter = [](const SerialPortEntry &port) { return port.isUsbAdapter() && !port.console; };
    if (std::ranges::count_if(present, freeAdapter) == 1)
        return {std::ranges::find_if(present, freeAdapter)->device, ChoiceReason::OnlyUsbAdapter};
    return {};
}

} // namespace ledglyph
