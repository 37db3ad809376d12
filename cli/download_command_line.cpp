#include "cli/download_command_line.h"

#include "download/wire_format.h"

#include <QCommandLineParser>

namespace ledglyph::cli {

DownloadCommandLine parseDownloadCommandLine(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "串口下载：轮询单片机（每 100 毫秒发送 \"s\"），收到单片机信号后发送传输头、字模文件和结束标志。"));
    parser.addPositionalArgument(QStringLiteral("download"), QStringLiteral("命令：串口下载"));
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("字模文件（zimuo.bin）"));
    const QCommandLineOption device(QStringLiteral("device"),
                                    QStringLiteral("串口设备（默认：与下载窗口相同的 COM1，可用环境变量 LEDGLYPH_COM1 指定）"),
                                    QStringLiteral("DEV"));
    const QCommandLineOption speed(QStringLiteral("speed"), QStringLiteral("变化速度 1 到 6（默认 1）"),
                                   QStringLiteral("1..6"), QStringLiteral("1"));
    const QCommandLineOption yes(QStringLiteral("yes"), QStringLiteral("收到单片机信号后直接下载，不再询问"));
    const QCommandLineOption wait(QStringLiteral("wait"),
                                  QStringLiteral("轮询最多这么多秒，单片机仍无信号则放弃（默认：一直轮询，直到按 Ctrl-C）"),
                                  QStringLiteral("SECONDS"));
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("显示本帮助"));
    parser.addOptions({device, speed, yes, wait, help});

    DownloadCommandLine result;
    const auto usage = [&](const QString &problem) {
        result.message = QStringLiteral("命令行错误：%1\n\n%2").arg(problem, parser.helpText());
        return result;
    };
    if (!parser.parse(arguments))
        return usage(parser.errorText());
    if (parser.isSet(help)) {
        result.helpRequested = true;
        result.message = parser.helpText();
        return result;
    }
    const QStringList positional = parser.positionalArguments();
    if (positional.size() != 2 || positional.at(1).isEmpty())
        return usage(QStringLiteral("请给出一个字模文件。"));
    for (const QCommandLineOption *option : {&device, &speed, &wait}) {
        if (parser.values(*option).size() > 1)
            return usage(QStringLiteral("--%1 只能给出一次。").arg(option->names().constFirst()));
    }

    DownloadRequest request;
    request.file = positional.at(1);
    request.device = parser.value(device);
    if (parser.isSet(device) && request.device.isEmpty())
        return usage(QStringLiteral("--device 的设备名不能为空。"));
    bool ok = false;
    request.speedCode = parser.value(speed).toInt(&ok);
    if (!ok || request.speedCode < LEDGLYPH_SPEED_MIN || request.speedCode > LEDGLYPH_SPEED_MAX)
        return usage(QStringLiteral("--speed 的值“%1”无效，应为 1 到 6。").arg(parser.value(speed)));
    if (parser.isSet(wait)) {
        const int seconds = parser.value(wait).toInt(&ok);
        if (!ok || seconds <= 0 || seconds > 24 * 3600)
            return usage(QStringLiteral("--wait 的值“%1”无效，应为 1 到 86400 秒。").arg(parser.value(wait)));
        request.waitSeconds = seconds;
    }
    request.yes = parser.isSet(yes);
    result.request = request;
    return result;
}

} // namespace ledglyph::cli
