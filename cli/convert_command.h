#pragma once

#include "cli/convert_command_line.h"
#include "platform/exit_code.h"

namespace ledglyph::cli {

// Converts as asked: takes the text (typed or from the file), runs the
// conversion into the output folder, prints the completion message on
// standard output or the reason of a refusal on standard error.
ExitCode runConvert(const ConvertRequest &request);

} // namespace ledglyph::cli
