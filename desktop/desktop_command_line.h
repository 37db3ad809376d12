#pragma once

#include <QStringList>

#include <optional>

namespace ledglyph {

// The desktop program's command line: --help and --version are answered on
// standard output, anything else is refused on standard error, since the
// program takes no arguments. Each returns the exit code when the program
// should end here, nothing when it should go on.

// Before the window system starts, so that --help and --version work without
// a display: answers those two and leaves everything else for later, since the
// window system's own options (-platform, -style, ...) are still among the arguments.
std::optional<int> answerHelpOrVersion(const QStringList &arguments);

// Once the window system has taken its own options: every other argument is refused.
std::optional<int> answerDesktopCommandLine(const QStringList &arguments);

} // namespace ledglyph
