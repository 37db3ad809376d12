#pragma once

#include "core/maker_texts.h"
#include "fonts/glyph_geometry.h"

#include <QString>

namespace ledglyph {

// The 22 characters appended after every text as the 11 banner pair cells:
// two spaces, the maker's 16-character host name, four spaces.
inline const QString bannerText = QStringLiteral("  ") + maker::webHost + QStringLiteral("    ");

} // namespace ledglyph
