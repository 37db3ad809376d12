#pragma once

#include <QString>

namespace ledglyph {

// The code page 936 code of the character at 0-based `index` of `text`, as a
// signed 16-bit value. The run checks its input before it converts, so every
// character here has a code.
qint16 characterCode(const QString &text, qint16 index);

} // namespace ledglyph
