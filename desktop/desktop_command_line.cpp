#include "desktop/desktop_command_line.h"

#include "platform/command_line.h"

#include <QCoreApplication>
#include <QScopeGuard>
#include <QTranslator>

#include <utility>

namespace ledglyph {

namespace {

// QCommandLineParser writes the headings of its help text in English, and
// Qt's own translation, which would follow the locale, is not loaded before the
// command line is answered. The window program speaks Chinese throughout.
// (The command-line programs keep Qt's headings, which help2man reads for
// their manual pages.)
class ChineseHeadings final : public QTranslator {
public:
    QString translate(const char *context, const char *sourceText, const char *, int) const override
    {
        static constexpr std::pair<const char *, const char16_t *> words[] = {
            {"Usage: %1", u"用法：%1"},
            {"[options]", u"[选项]"},
            {"Options:", u"选项："},
            {"Arguments:", u"参数："},
        };
        if (qstrcmp(context, "QCommandLineParser") != 0)
            return {};
        for (const auto &[english, chinese] : words) {
            if (qstrcmp(sourceText, english) == 0)
                return QString::fromUtf16(chinese);
        }
        return {};
    }
    bool isEmpty() const override { return false; }
};

// The answer to the arguments, if any: the help text, the version line or a usage error.
std::optional<CommandLineAnswer> answerTo(const QStringList &arguments)
{
    ChineseHeadings headings;
    QCoreApplication::installTranslator(&headings);
    const auto removeHeadings = qScopeGuard([&headings] { QCoreApplication::removeTranslator(&headings); });
    ProgramCommandLine commandLine(QStringLiteral("ledglyph"), QStringLiteral(
        "LED 点阵取模软件：把汉字和 ASCII 字符转换为 C51 或 A51 字模，并经串口下载到显示板。\n"
        "字库 hzk16、ASC16 和帮助文本 hellp.qvx 在程序目录中，其中没有时在 ../share/ledglyph 中。\n"
        "hz.txt、Tempchar.txt、zimuo.bin 写入程序目录；程序目录不可写或程序已安装时，"
        "写入“文档”文件夹中的 ledglyph 文件夹。"),
        ProgramCommandLine::Version::Offered, ProgramCommandLine::Locale::Any);
    commandLine.addOptions({});
    if (std::optional<CommandLineAnswer> answer = commandLine.parse(arguments)) {
        // The usage line names the program, not the path it was started by:
        // the manual page made from this text must not carry the build folder.
        answer->text.replace(QStringLiteral("用法：") + QCoreApplication::arguments().value(0),
                             QStringLiteral("用法：ledglyph"));
        return answer;
    }
    if (!commandLine.parser.positionalArguments().isEmpty())
        return commandLine.usageError(QStringLiteral("本程序不接受参数。"));
    return std::nullopt;
}

} // namespace

std::optional<int> answerHelpOrVersion(const QStringList &arguments)
{
    const std::optional<CommandLineAnswer> answer = answerTo(arguments);
    if (!answer || answer->exitCode != ExitSuccess)
        return std::nullopt;
    return printAnswer(*answer);
}

std::optional<int> answerDesktopCommandLine(const QStringList &arguments)
{
    if (const std::optional<CommandLineAnswer> answer = answerTo(arguments))
        return printAnswer(*answer);
    return std::nullopt;
}

} // namespace ledglyph
