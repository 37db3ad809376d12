#include "cli/download_command_line.h"

#include "protocol/wire_format.h"

namespace ledglyph::cli {

DownloadCommandLine parseDownloadCommandLine(const QStringList &arguments)
{
    ProgramCommandLine commandLine(
        QStringLiteral("ledglyph-cli"),
        QStringLiteral("串口下载：轮询单片机（每 100 毫秒发送 \"s\"），收到单片机信号后发送传输头、字模文件和结束标志。"),
        ProgramCommandLine::Version::None);
    QCommandLineParser &parser = commandLine.parser;
    parser.addPositionalArgument(QStringLiteral("download"), QStringLiteral("命令：串口下载"));
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("字模文件（zimuo.bin）"));
    const QCommandLineOption device(QStringLiteral("device"),
                                    QStringLiteral("串口设备（默认：与下载窗口相同的 COM1，见 ledglyph-cli ports）"),
                                    QStringLiteral("DEV"));
    const QCommandLineOption speed(QStringLiteral("speed"), QStringLiteral("变化速度 1 到 6（默认 1）"),
                                   QStringLiteral("1..6"), QStringLiteral("1"));
    const QCommandLineOption yes(QStringLiteral("yes"), QStringLiteral("收到单片机信号后直接下载，不再询问"));
    const QCommandLineOption wait(QStringLiteral("wait"),
                                  QStringLiteral("轮询最多这么多秒，单片机仍无信号则放弃（默认：一直轮询，直到按 Ctrl-C）"),
                                  QStringLiteral("SECONDS"));
    commandLine.addOptions({device, speed, yes, wait});

    if (const std::optional<CommandLineAnswer> answer = commandLine.parse(arguments))
        return *answer;
    const QStringList positional = parser.positionalArguments();
    if (positional.size() != 2 || positional.at(1).isEmpty())
        return commandLine.usageError(QStringLiteral("请给出一个字模文件。"));
    if (const std::optional<CommandLineAnswer> answer = commandLine.givenTwice({&device, &speed, &wait}))
        return *answer;

    DownloadRequest request;
    request.file = positional.at(1);
    request.device = parser.value(device);
    if (parser.isSet(device) && request.device.isEmpty())
        return commandLine.usageError(QStringLiteral("--device 的设备名不能为空。"));
    bool ok = false;
    request.speedCode = parser.value(speed).toInt(&ok);
    if (!ok || request.speedCode < LEDGLYPH_SPEED_MIN || request.speedCode > LEDGLYPH_SPEED_MAX)
        return commandLine.usageError(QStringLiteral("--speed 的值“%1”无效，应为 1 到 6。").arg(parser.value(speed)));
    if (parser.isSet(wait)) {
        const int seconds = parser.value(wait).toInt(&ok);
        if (!ok || seconds <= 0 || seconds > 24 * 3600)
            return commandLine.usageError(QStringLiteral("--wait 的值“%1”无效，应为 1 到 86400 秒。").arg(parser.value(wait)));
        request.waitSeconds = seconds;
    }
    request.yes = parser.isSet(yes);
    return request;
}

} // namespace ledglyph::cli
