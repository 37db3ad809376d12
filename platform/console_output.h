#pragma once

#include <QString>

namespace ledglyph::console {

// Our command-line programs print Chinese texts. They always write UTF-8 bytes
// (and switch a Windows console to UTF-8 first), whatever the C locale says.
void writeOut(const QString &text);
void writeErr(const QString &text);

} // namespace ledglyph::console
