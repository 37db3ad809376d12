#pragma once

#include "cli/convert_command_line.h"

namespace ledglyph::cli {

enum ExitCode : int {
    ExitSuccess = 0,
    ExitRefused = 1, // the text, a font or an output was refused; no file changed
    ExitUsage = 2,
};

// Converts as asked: takes the text (typed or from the file), runs the
// conversion into the output folder, prints the completion message on
// standard output or the reason of a refusal on standard error.
ExitCode runConvert(const ConvertRequest &request);

} // namespace ledglyph::cli
