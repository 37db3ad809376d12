#include "platform/desktop_command_line.h"

#include "platform/exit_code.h"
#include "platform/program_version.h"

#include <QCommandLineParser>
#include <QTextStream>

namespace ledglyph {

std::optional<int> answerDesktopCommandLine(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "LED 点阵取模软件：把汉字和 ASCII 字符转换为 C51 或 A51 字模，并经串口下载到显示板。\n"
        "字库 hzk16、ASC16 和帮助文本 hellp.qvx 在程序目录中，其中没有时在 ../share/ledglyph 中。\n"
        "hz.txt、Tempchar.txt、zimuo.bin 写入程序目录；程序目录不可写或程序已安装时，"
        "写入“文档”文件夹中的 ledglyph 文件夹。"));
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("显示本帮助"));
    const QCommandLineOption version(QStringLiteral("version"), QStringLiteral("显示版本号"));
    parser.addOptions({help, version});

    if (!parser.parse(arguments) || !parser.positionalArguments().isEmpty()) {
        const QString problem =
            parser.errorText().isEmpty() ? QStringLiteral("本程序不接受参数。") : parser.errorText();
        QTextStream(stderr) << QStringLiteral("命令行错误：%1\n\n%2").arg(problem, parser.helpText());
        return ExitUsage;
    }
    if (parser.isSet(help)) {
        QTextStream(stdout) << parser.helpText();
        return ExitSuccess;
    }
    if (parser.isSet(version)) {
        QTextStream(stdout) << versionLine(QStringLiteral("ledglyph"));
        return ExitSuccess;
    }
    return std::nullopt;
}

} // namespace ledglyph
