#include "platform/desktop_command_line.h"

#include "platform/command_line.h"

namespace ledglyph {

std::optional<int> answerDesktopCommandLine(const QStringList &arguments)
{
    ProgramCommandLine commandLine(QStringLiteral("ledglyph"), QStringLiteral(
        "LED 点阵取模软件：把汉字和 ASCII 字符转换为 C51 或 A51 字模，并经串口下载到显示板。\n"
        "字库 hzk16、ASC16 和帮助文本 hellp.qvx 在程序目录中，其中没有时在 ../share/ledglyph 中。\n"
        "hz.txt、Tempchar.txt、zimuo.bin 写入程序目录；程序目录不可写或程序已安装时，"
        "写入“文档”文件夹中的 ledglyph 文件夹。"),
        ProgramCommandLine::Version::Offered, ProgramCommandLine::Locale::Any);
    commandLine.addOptions({});
    if (const std::optional<CommandLineAnswer> answer = commandLine.parse(arguments))
        return printAnswer(*answer);
    if (!commandLine.parser.positionalArguments().isEmpty())
        return printAnswer(commandLine.usageError(QStringLiteral("本程序不接受参数。")));
    return std::nullopt;
}

} // namespace ledglyph
