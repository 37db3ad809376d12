#pragma once

#include <QStringList>

#include <optional>

namespace ledglyph {

// The desktop program's command line: --help and --version are answered on
// standard output, anything else is refused on standard error, since the
// program takes no arguments. Returns the exit code when the program should
// end here, nothing when it should open its window.
std::optional<int> answerDesktopCommandLine(const QStringList &arguments);

} // namespace ledglyph
