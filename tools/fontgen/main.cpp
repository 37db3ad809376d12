// ledglyph-fontgen: builds the font libraries hzk16 and ASC16 from a bitmap font.

#include "platform/console_output.h"
#include "platform/exit_code.h"
#include "tools/fontgen/fontgen_command_line.h"
#include "tools/fontgen/generate_libraries.h"

#include <QCoreApplication>

using namespace ledglyph;

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const fontgen::FontgenCommandLine commandLine =
        fontgen::parseFontgenCommandLine(QCoreApplication::arguments());
    if (commandLine.helpRequested) {
        console::writeOut(commandLine.message);
        return ExitSuccess;
    }
    if (!commandLine.options) {
        console::writeErr(commandLine.message);
        return ExitUsage;
    }
    const fontgen::GenerationResult result = fontgen::generateLibraries(*commandLine.options);
    if (!result.error.isEmpty()) {
        console::writeErr(QStringLiteral("ledglyph-fontgen：%1\n").arg(result.error));
        return ExitRefused;
    }
    for (const QString &report : result.reports)
        console::writeOut(report + QLatin1Char('\n'));
    return ExitSuccess;
}
