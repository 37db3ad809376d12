#include "platform/command_line.h"

#include "platform/console_output.h"
#include "platform/program_version.h"

namespace ledglyph {

int printAnswer(const CommandLineAnswer &answer)
{
    if (answer.exitCode == ExitSuccess)
        console::writeOut(answer.text);
    else
        console::writeErr(answer.text);
    return answer.exitCode;
}

ProgramCommandLine::ProgramCommandLine(QString programName, const QString &description, Version version)
    : m_programName(std::move(programName)), m_version(version)
{
    parser.setApplicationDescription(description);
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
