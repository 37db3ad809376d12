#pragma once

#include <QByteArray>
#include <QString>
#include <QStringEncoder>
#include <QStringView>

#include <optional>

namespace ledglyph::cp936 {

// Windows code page 936 (GBK), the program's ANSI code page. Qt's ICU-backed
// "GBK" codec maps exactly like Windows does (啊 = B0A1, € = 80); "GB18030" does not.

// The text as code page 936 bytes, or nothing when any character cannot be encoded.
std::optional<QByteArray> encode(QStringView text);

// Code page 936 bytes as text (invalid sequences become U+FFFD).
QString decode(const QByteArray &bytes);

// Codes of single characters, one after another, with one converter (making
// a converter costs far more than using it).
class CharCoder {
public:
    CharCoder();
    // As charCode() below.
    std::optional<qint16> code(QStringView ch);

private:
    QStringEncoder m_encoder;
};

// The code of one character as a signed 16-bit value: a single-byte character
// gives its byte (1 to 255), a double-byte character its two bytes as one
// big-endian word read as signed (so every GB2312 character is negative).
// Nothing for a character that code page 936 cannot encode. `ch` is one
// character: one UTF-16 unit, or a surrogate pair.
std::optional<qint16> charCode(QStringView ch);

// True when a double-byte code is one of the 7,445 characters GB2312 assigns
// (682 symbols in rows A1–A9, 6,763 hanzi in rows B0–F7). Code page 936 maps
// more than that into the same byte range (its own additions and private-use
// characters in the positions GB2312 leaves empty); the font library holds
// none of those.
bool isAssignedGb2312(qint16 code);

// True for a single-byte code that is ASCII (1 to 127); code page 936's
// single byte 0x80 (€) is not.
bool isAscii(qint16 code);

} // namespace ledglyph::cp936
