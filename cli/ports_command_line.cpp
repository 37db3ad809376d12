#include "cli/ports_command_line.h"

namespace ledglyph::cli {

PortsCommandLine parsePortsCommandLine(const QStringList &arguments)
{
    ProgramCommandLine commandLine(
        QStringLiteral("ledglyph-cli"),
        QStringLiteral("列出串口设备（描述和 USB 标识），用“*”标出作为 COM1 的设备并说明原因。\n"
                       "COM1 依次取：环境变量 LEDGLYPH_COM1；上次在下载窗口中选择的串口（如果插着）；"
                       "系统自带的 COM1；唯一插着的 USB 串口适配器。"),
        ProgramCommandLine::Version::None);
    commandLine.parser.addPositionalArgument(QStringLiteral("ports"), QStringLiteral("命令：列出串口"));
    commandLine.addOptions({});
    if (const std::optional<CommandLineAnswer> answer = commandLine.parse(arguments))
        return *answer;
    if (commandLine.parser.positionalArguments().size() != 1)
        return commandLine.usageError(QStringLiteral("ports 命令不接受其他参数。"));
    return PortsRequest{};
}

} // namespace ledglyph::cli
