// ledglyph-fontgen: builds the font libraries hzk16 and ASC16 from a bitmap font.

#include "platform/console_output.h"
#include "platform/exit_code.h"
#include "platform/name_bytes.h"
#include "tools/fontgen/fontgen_command_line.h"
#include "tools/fontgen/generate_libraries.h"

#include <QCoreApplication>

using namespace ledglyph;

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const fontgen::FontgenCommandLine commandLine =
        fontgen::parseFontgenCommandLine(commandLineArguments(argc, argv));
    if (!commandLine.request)
        return printAnswer(commandLine.answer);
    const Result<QStringList> reports = fontgen::generateLibraries(*commandLine.request);
    if (!reports.ok()) {
        console::writeErr(QStringLiteral("ledglyph-fontgen：%1\n").arg(reports.error().message));
        return ExitRefused;
    }
    if (!console::writeOut(reports.value().join(QLatin1Char('\n')) + QLatin1Char('\n'))) {
        console::writeErr(QStringLiteral("ledglyph-fontgen：字库已写入，但无法在标准输出上写出填充报告。\n"));
        return ExitRefused;
    }
    return ExitSuccess;
}
