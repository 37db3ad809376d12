#pragma once

#include "platform/exit_code.h"

#include <QCommandLineParser>

#include <optional>

namespace ledglyph {

// How a command line is answered without any work done: the help text or the
// version line on standard output, or a usage error (the problem, then the
// help text) on standard error.
struct CommandLineAnswer {
    QString text;
    ExitCode exitCode = ExitSuccess;
};

// Prints the answer where it belongs; returns its exit code.
int printAnswer(const CommandLineAnswer &answer);

// A parsed command line: the request to carry out, or else the answer.
template <typename Request>
struct ParsedCommandLine {
    ParsedCommandLine(Request asked) : request(std::move(asked)) {}
    ParsedCommandLine(CommandLineAnswer given) : answer(std::move(given)) {}

    std::optional<Request> request;
    CommandLineAnswer answer;
};

// A command-line parser with what every ledglyph program's command line has:
// -h/--help, --version (unless the command goes without), parse errors ending
// with the usage exit code, and one wording of a usage error.
class ProgramCommandLine {
public:
    enum class Version { Offered, None };
    ProgramCommandLine(QString programName, const QString &description, Version version = Version::Offered);

    // The program's own options; help and version follow them in the help text.
    void addOptions(const QList<QCommandLineOption> &options);
    // Answers a parse error, --help and --version; nothing when the program goes on.
    std::optional<CommandLineAnswer> parse(const QStringList &arguments);
    // A usage error when one of `options` was given more than once.
    std::optional<CommandLineAnswer> givenTwice(std::initializer_list<const QCommandLineOption *> options) const;
    CommandLineAnswer usageError(const QString &problem) const;

    QCommandLineParser parser;

private:
    QString m_programName;
    Version m_version;
    const QCommandLineOption m_help{QStringList{QStringLiteral("h"), QStringLiteral("help")},
                                    QStringLiteral("显示本帮助")};
    const QCommandLineOption m_versionOption{QStringLiteral("version"), QStringLiteral("显示版本号")};
};

} // namespace ledglyph
