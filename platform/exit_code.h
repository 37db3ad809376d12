#pragma once

namespace ledglyph {

// The exit status of every ledglyph program.
enum ExitCode : int {
    ExitSuccess = 0,
    ExitRefused = 1, // the input, a file or the device was refused or failed; the reason went to standard error
    ExitUsage = 2,   // the command line was wrong; the help text went to standard error
};

} // namespace ledglyph
