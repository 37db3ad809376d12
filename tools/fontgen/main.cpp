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
    if (!commandLine.request)
        return printAnswer(commandLine.answer);
    const Result<QStringList> reports = fontgen::generateLibraries(*commandLine.request);
    if (!reports.ok()) {
        console::writeErr(QStringLiteral("ledglyph-fontgen：%1\n").arg(reports.error().message));
        return ExitRefused;
    }
    for (const QString &report : reports.value())
        console::writeOut(report + QLatin1Char('\n'));
    return ExitSuccess;
}
