#pragma once

#include <QString>

namespace ledglyph {

// The explanation the output box shows after start-up: 19 lines joined by
// CR LF, starting with an empty line and without a line end after the last.
QString startUpHelpText();

} // namespace ledglyph
