#pragma once

#include "tools/fontgen/fontgen_command_line.h"

#include <QStringList>

namespace ledglyph::fontgen {

struct GenerationResult {
    QStringList reports; // one fill report per library built (and where the glyphs came from)
    QString error;       // empty on success; on failure no library was written
};

// Reads the fonts, builds hzk16 and ASC16 in memory and only then writes both
// into the output folder and the preview sheet, when asked for.
GenerationResult generateLibraries(const FontgenOptions &options);

} // namespace ledglyph::fontgen
