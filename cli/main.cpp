// ledglyph-cli: the conversion, the serial download and the list of serial
// ports as commands, for build scripts and for checking the core as a whole program.

#include "cli/convert_command.h"
#include "cli/convert_command_line.h"
#ifdef LEDGLYPH_CLI_DOWNLOAD
#include "cli/download_command.h"
#include "cli/ports_command.h"
#endif

#include "platform/name_bytes.h"

#include <QCoreApplication>

using namespace ledglyph;

namespace {

// Prints the help or the usage error of a parsed command line, or runs its request.
template <typename Request, typename Run>
int answer(const ParsedCommandLine<Request> &commandLine, Run run)
{
    return commandLine.request ? run(*commandLine.request) : printAnswer(commandLine.answer);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = commandLineArguments(argc, argv); // names that are not UTF-8 kept
#ifdef LEDGLYPH_CLI_DOWNLOAD
    if (arguments.value(1) == QLatin1String("download"))
        return answer(cli::parseDownloadCommandLine(arguments), cli::runDownload);
    if (arguments.value(1) == QLatin1String("ports"))
        return answer(cli::parsePortsCommandLine(arguments), cli::runPorts);
#endif
    std::optional<QString> sourceDateEpoch;
    if (qEnvironmentVariableIsSet("SOURCE_DATE_EPOCH"))
        sourceDateEpoch = qEnvironmentVariable("SOURCE_DATE_EPOCH");
    return answer(cli::parseConvertCommandLine(arguments, sourceDateEpoch), cli::runConvert);
}
