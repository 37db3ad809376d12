#pragma once

#include "cli/download_command_line.h"
#include "platform/exit_code.h"

namespace ledglyph::cli {

// Runs `ledglyph-cli download` with the download window's own protocol: polls
// until the board's signal, asks on the terminal (or not, with --yes), sends,
// and waits until every byte has left the port. Needs a QCoreApplication (it
// runs its event loop). ExitSuccess when every byte left; ExitRefused on any failure,
// a refusal at the prompt, the --wait limit or Ctrl-C; ExitUsage when it would
// have to ask but standard input is not a terminal.
ExitCode runDownload(const DownloadRequest &request);

} // namespace ledglyph::cli
