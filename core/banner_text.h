#pragma once

#include "core/maker_texts.h"

#include <QString>

namespace ledglyph {

// The 22 characters appended after every text as 11 pair cells: two spaces,
// the maker's 16-character host name, four spaces.
inline const QString bannerText = QStringLiteral("  ") + maker::webHost + QStringLiteral("    ");

// Cells the glyph buffer reserves for the banner, two characters per cell.
constexpr qint32 bannerCells = 11;

} // namespace ledglyph
