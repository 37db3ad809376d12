// ledglyph-cli: the conversion and the serial download as commands, for build
// scripts and for checking the core as a whole program.

#include "cli/convert_command.h"
#include "cli/convert_command_line.h"
#include "platform/console_output.h"
#ifdef LEDGLYPH_CLI_DOWNLOAD
#include "cli/download_command.h"
#endif

#include <QCoreApplication>

using namespace ledglyph;

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
#ifdef LEDGLYPH_CLI_DOWNLOAD
    if (QCoreApplication::arguments().value(1) == QLatin1String("download")) {
        const cli::DownloadCommandLine commandLine = cli::parseDownloadCommandLine(QCoreApplication::arguments());
        if (commandLine.helpRequested) {
            console::writeOut(commandLine.message);
            return ExitSuccess;
        }
        if (!commandLine.request) {
            console::writeErr(commandLine.message);
            return ExitUsage;
        }
        return cli::runDownload(*commandLine.request);
    }
#endif
    std::optional<QString> sourceDateEpoch;
    if (qEnvironmentVariableIsSet("SOURCE_DATE_EPOCH"))
        sourceDateEpoch = qEnvironmentVariable("SOURCE_DATE_EPOCH");

    const cli::ConvertCommandLine commandLine =
        cli::parseConvertCommandLine(QCoreApplication::arguments(), sourceDateEpoch);
    if (commandLine.helpRequested) {
        console::writeOut(commandLine.message);
        return ExitSuccess;
    }
    if (!commandLine.request) {
        console::writeErr(commandLine.message);
        return ExitUsage;
    }
    return cli::runConvert(*commandLine.request);
}
