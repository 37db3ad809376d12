#pragma once

#include <QList>
#include <QString>

namespace ledglyph {

// The code page 936 code of every character of `text` (UTF-16 units), as a
// signed 16-bit value: positive for a single-byte (ASCII) character, negative
// for a double-byte one. The run checks its input before it converts, so
// every character has a code.
QList<qint16> characterCodes(const QString &text);

} // namespace ledglyph
