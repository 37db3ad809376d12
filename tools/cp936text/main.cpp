// ledglyph-cp936text IN OUT: turns a UTF-8 text into a code page 936 text
// with CR LF line ends (the help text beside the program is made this way).

#include "platform/console_output.h"
#include "platform/exit_code.h"
#include "platform/file_set_writer.h"
#include "platform/program_version.h"
#include "platform/text_input.h"
#include "tools/cp936text/cp936_text_file.h"

#include <QCommandLineParser>
#include <QCoreApplication>

using namespace ledglyph;

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("把 UTF-8 文本转换为代码页 936、CR LF 行尾的文本。"));
    parser.addPositionalArgument(QStringLiteral("IN"), QStringLiteral("UTF-8 文本文件"));
    parser.addPositionalArgument(QStringLiteral("OUT"), QStringLiteral("写入的代码页 936 文本文件"));
    const QCommandLineOption version(QStringLiteral("version"), QStringLiteral("显示版本号"));
    parser.addOption(version);
    if (parser.parse(QCoreApplication::arguments()) && parser.isSet(version)) {
        console::writeOut(versionLine(QStringLiteral("ledglyph-cp936text")));
        return ExitSuccess;
    }
    if (!parser.parse(QCoreApplication::arguments()) || parser.positionalArguments().size() != 2) {
        console::writeErr(parser.errorText() + QLatin1Char('\n') + parser.helpText());
        return ExitUsage;
    }
    const QString in = parser.positionalArguments().at(0);
    const QString out = parser.positionalArguments().at(1);

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
