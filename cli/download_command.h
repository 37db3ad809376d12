#pragma once

#include "cli/convert_command.h"
#include "cli/download_command_line.h"

namespace ledglyph::cli {

// Runs `ledglyph-cli download` with the download window's own protocol: polls
// until the board's signal, asks (or not, with --yes), sends, and waits until
// every byte has left the port. Needs a running QCoreApplication's event loop
// (it starts one). ExitSuccess when every byte left; ExitRefused on any failure,
// a refusal at the prompt, the --wait limit or Ctrl-C; ExitUsage when it would
// have to ask but standard input is not a terminal.
ExitCode runDownload(const DownloadRequest &request);

} // namespace ledglyph::cli
