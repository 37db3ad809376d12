#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <optional>

namespace ledglyph::cp936 {

// Windows code page 936 (GBK), the program's ANSI code page. Qt's ICU-backed
// "GBK" codec maps exactly like Windows does (啊 = B0A1, € = 80); "GB18030" does not.

// The text as code page 936 bytes, or nothing when any character cannot be encoded.
std::optional<QByteArray> encode(QStringView text);

// Code page 936 bytes as text (invalid sequences become U+FFFD).
QString decode(const QByteArray &bytes);

// The code of one character as a signed 16-bit value: a single-byte character
// gives its byte (1 to 255), a double-byte character its two bytes as one
// big-endian word read as signed (so every GB2312 character is negative).
// Nothing for a character that code page 936 cannot encode. `ch` is one
// character: one UTF-16 unit, or a surrogate pair.
std::optional<qint16> charCode(QStringView ch);

// True when a double-byte code lies inside the GB2312 area that the 16×16
// font library holds: both bytes from 0xA1 to 0xFE.
bool isGb2312DoubleByte(qint16 code);

} // namespace ledglyph::cp936
