#include "platform/command_line.h"

#include "platform/console_output.h"
#include "platform/locale_encoding.h"
#include "platform/program_version.h"

namespace ledglyph {

int printAnswer(const CommandLineAnswer &answer)
{
    if (answer.exitCode != ExitSuccess) {
        console::writeErr(answer.text);
        return answer.exitCode;
    }
    return console::writeOut(answer.text) ? ExitSuccess : ExitRefused;
}

ProgramCommandLine::ProgramCommandLine(QString programName, const QString &description, Version version,
                                       Locale locale)
    : m_programName(std::move(programName)), m_version(version), m_locale(locale)
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
    if (const std::optional<QByteArray> encoding = nonUtf8LocaleEncoding(); encoding && m_locale == Locale::Utf8Needed) {
        return CommandLineAnswer{
            QStringLiteral("%1：本程序只能在 UTF-8 编码的语言环境中运行（命令行参数、文件名和输出都按 UTF-8 处理），"
                           "而当前语言环境的编码是 %2。请改用 UTF-8 语言环境，例如 LC_ALL=zh_CN.UTF-8 或 LC_ALL=C.UTF-8。\n")
                .arg(m_programName, QString::fromLatin1(*encoding)),
            ExitRefused};
    }
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
