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

// Prints the answer where it belongs; returns its exit code, or the refusal
// code when a help text or version line could not be written.
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
// with the usage exit code, one wording of a usage error, and the refusal to
// work under a locale whose encoding is not UTF-8: arguments, file names and
// messages are all taken as UTF-8.
class ProgramCommandLine {
public:
    enum class Version { Offered, None };
    // The window takes no text from its command line and works under any locale.
    enum class Locale { Utf8Needed, Any };
    ProgramCommandLine(QString programName, const QString &description, Version version = Version::Offered,
                       Locale locale = Locale::Utf8Needed);

    // The program's own options; help and version follow them in the help text.
    void addOptions(const QList<QCommandLineOption> &options);
    // Answers a parse error, --help, --version and a locale that is not
    // UTF-8; nothing when the program goes on.
    std::optional<CommandLineAnswer> parse(const QStringList &arguments);
    // A usage error when one of `options` was given more than once.
    std::optional<CommandLineAnswer> givenTwice(std::initializer_list<const QCommandLineOption *> options) const;
    CommandLineAnswer usageError(const QString &problem) const;

    QCommandLineParser parser;

private:
    QString m_programName;
    Version m_version;
    Locale m_locale;
    const QCommandLineOption m_help{QStringList{QStringLiteral("h"), QStringLiteral("help")},
                                    QStringLiteral("显示本帮助")};
    const QCommandLineOption m_versionOption{QStringLiteral("version"), QStringLiteral("显示版本号")};
};

} // namespace ledglyph
