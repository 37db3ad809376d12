#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <optional>

namespace ledglyph::cp936 {

// Code page 936, the program's ANSI code page, as far as the program uses it:
// ASCII and € (0x80) in single bytes, and the 7,445 characters GB2312 assigns
// in double bytes, mapped as Windows maps them (· = A1A4, — = A1AA, 啊 = B0A1).
// The mapping is the program's own table (gb2312_table.cpp), not the
// platform's converter: Qt builds without ICU have no GBK. What else code
// page 936 holds (its own additions such as ⅰ and 丂, private-use characters)
// has no record in the font libraries and no place in the program's texts.

// The text as code page 936 bytes, or nothing when any character is outside
// the characters above.
std::optional<QByteArray> encode(QStringView text);

// Code page 936 bytes as text. A byte pair outside the table (or a first byte
// without its second) becomes one U+FFFD.
QString decode(QByteArrayView bytes);

// The code of one character as a signed 16-bit value: a single-byte character
// gives its byte (1 to 128, 0 for NUL), a double-byte character its two bytes
// as one big-endian word read as signed (so every GB2312 character is
// negative; gb2312_table.h tells which codes GB2312 assigns). Nothing for a
// character outside the characters above. `ch` is one character: one UTF-16
// unit, or a surrogate pair (which has no code).
std::optional<qint16> charCode(QStringView ch);

// True for a single-byte code that is ASCII (1 to 127); code page 936's
// single byte 0x80 (€) is not.
bool isAscii(qint16 code);

} // namespace ledglyph::cp936
