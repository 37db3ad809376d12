#pragma once

#include <QString>

namespace ledglyph::console {

// Our command-line programs print Chinese texts. They write UTF-8, with file
// names that are not UTF-8 as their own bytes, whatever the C locale says;
// under a locale with another encoding (GB18030) in that encoding, so that
// the message that the program needs a UTF-8 locale can be read. A Windows
// console gets the text as UTF-16, so that it shows it in any code page. Each
// returns false when the text could not be written whole (standard output
// closed, a full disk, a pipe whose reader went away).
bool writeOut(const QString &text);
bool writeErr(const QString &text);

} // namespace ledglyph::console
