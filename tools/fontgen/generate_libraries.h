#pragma once

#include "platform/result.h"
#include "tools/fontgen/fontgen_command_line.h"

#include <QStringList>

namespace ledglyph::fontgen {

// Reads the fonts, builds hzk16 and ASC16 in memory and only then writes both
// into the output folder and the preview sheet, when asked for, as one set.
// Gives one fill report per library built (and where the glyphs came from),
// or the failure; a failed run writes nothing.
Result<QStringList> generateLibraries(const FontgenOptions &options);

} // namespace ledglyph::fontgen
