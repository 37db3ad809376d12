#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace ledglyph {

// The code page 936 code of every character of `text` (UTF-16 units), as a
// signed 16-bit value: positive for a single-byte (ASCII) character, negative
// for a double-byte one. The run checks its input before it converts, so
// every character has a code.
QList<qint16> characterCodes(const QString &text);

// Appends the code page 936 bytes of `code`: one for a single-byte
// character, the two of a double-byte one.
inline void appendCodeBytes(QByteArray &out, qint16 code)
{
    const auto word = static_cast<quint16>(code);
    if (code > 0)
        out.append(static_cast<char>(word));
    else
        out.append(static_cast<char>(word >> 8)).append(static_cast<char>(word & 0xFF));
}

// The text's bytes in code page 936, from its codes.
QByteArray codeBytes(const QList<qint16> &codes);

} // namespace ledglyph
