#pragma once

#include "tools/fontgen/font_libraries.h"

#include <QString>

namespace ledglyph::fontgen {

// One line per library: how many positions were filled, of how many, and why
// the others are blank (naming a few characters the font lacks).
QString hzk16Report(const LibraryBuild &build);
QString asc16Report(const LibraryBuild &build);

} // namespace ledglyph::fontgen
