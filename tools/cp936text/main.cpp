// ledglyph-cp936text IN OUT: turns a UTF-8 text into a code page 936 text
// with CR LF line ends (the help text beside the program is made this way).

#include "platform/command_line.h"
#include "platform/console_output.h"
#include "platform/exit_code.h"
#include "platform/file_set_writer.h"
#include "platform/name_bytes.h"
#include "platform/text_input.h"
#include "tools/cp936text/cp936_text_file.h"

#include <QCoreApplication>

using namespace ledglyph;

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    // A build step: it runs under whatever locale the build has.
    ProgramCommandLine commandLine(QStringLiteral("ledglyph-cp936text"),
                                   QStringLiteral("把 UTF-8 文本转换为代码页 936、CR LF 行尾的文本。"),
                                   ProgramCommandLine::Version::Offered, ProgramCommandLine::Locale::Any);
    commandLine.parser.addPositionalArgument(QStringLiteral("IN"), QStringLiteral("UTF-8 文本文件"));
    commandLine.parser.addPositionalArgument(QStringLiteral("OUT"), QStringLiteral("写入的代码页 936 文本文件"));
    commandLine.addOptions({});
    if (const std::optional<CommandLineAnswer> answer = commandLine.parse(commandLineArguments(argc, argv)))
        return printAnswer(*answer);
    const QStringList files = commandLine.parser.positionalArguments();
    if (files.size() != 2)
        return printAnswer(commandLine.usageError(QStringLiteral("需要两个参数：IN 和 OUT。")));
    const QString in = files.at(0);
    const QString out = files.at(1);

    const Result<QString> source = readUtf8File(in);
    if (!source.ok()) {
        console::writeErr(QStringLiteral("ledglyph-cp936text：%1\n").arg(source.error().message));
        return ExitRefused;
    }
    const Result<QByteArray> converted = toCp936WithCrLf(source.value());
    if (!converted.ok()) {
        console::writeErr(QStringLiteral("ledglyph-cp936text：%1：%2\n").arg(in, converted.error().message));
        return ExitRefused;
    }
    if (const Result<QStringList, FileSetFailure> written = writeFileSet({{out, converted.value()}}); !written.ok()) {
        console::writeErr(QStringLiteral("ledglyph-cp936text：%1\n").arg(fileSetFailureMessage(written.error())));
        return ExitRefused;
    }
    return ExitSuccess;
}
