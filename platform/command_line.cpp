#include "platform/command_line.h"

#include "platform/console_output.h"
#include "platform/program_version.h"

#include <QCoreApplication>
#include <QTranslator>

#include <utility>

namespace ledglyph {

namespace {

// QCommandLineParser writes the headings of its help text in English; every
// ledglyph program speaks Chinese, whatever the locale. Qt's own translation
// would follow the locale and is not loaded before a command line is answered.
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

} // namespace

int printAnswer(const CommandLineAnswer &answer)
{
    if (answer.exitCode == ExitSuccess)
        console::writeOut(answer.text);
    else
        console::writeErr(answer.text);
    return answer.exitCode;
}

ProgramCommandLine::ProgramCommandLine(QString programName, const QString &description, Version version)
    : m_programName(std::move(programName)), m_version(version), m_headings(std::make_unique<ChineseHeadings>())
{
    parser.setApplicationDescription(description);
    QCoreApplication::installTranslator(m_headings.get());
}

ProgramCommandLine::~ProgramCommandLine()
{
    QCoreApplication::removeTranslator(m_headings.get());
}

void ProgramCommandLine::addOptions(const QList<QCommandLineOption> &options)
{
    parser.addOptions(options);
    parser.addOption(m_help);
    if (m_version == Version::Offered)
        parser.addOption(m_versionOption);
}

std::optional<CommandLineAnswer> ProgramCommandLine::parse(const QStringList &arguments)
{
    if (!parser.parse(arguments))
        return usageError(parser.errorText());
    if (parser.isSet(m_help))
        return CommandLineAnswer{parser.helpText()};
    if (m_version == Version::Offered && parser.isSet(m_versionOption))
        return CommandLineAnswer{versionLine(m_programName)};
    return std::nullopt;
}

std::optional<CommandLineAnswer>
ProgramCommandLine::givenTwice(std::initializer_list<const QCommandLineOption *> options) const
{
    for (const QCommandLineOption *option : options) {
        if (parser.values(*option).size() > 1)
            return usageError(QStringLiteral("--%1 只能给出一次。").arg(option->names().constFirst()));
    }
    return std::nullopt;
}

CommandLineAnswer ProgramCommandLine::usageError(const QString &problem) const
{
    return {QStringLiteral("命令行错误：%1\n\n%2").arg(problem, parser.helpText()), ExitUsage};
}

} // namespace ledglyph
