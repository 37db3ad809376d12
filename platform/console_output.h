#pragma once

#include <QString>

namespace ledglyph::console {

// Our command-line programs print Chinese texts. They write UTF-8 bytes,
// whatever the C locale says; a Windows console gets the text as UTF-16, so
// that it shows it in any code page.
void writeOut(const QString &text);
void writeErr(const QString &text);

} // namespace ledglyph::console
