#pragma once

#include <QString>
#include <QStringView>

#include <optional>

namespace ledglyph {

// How the input box classes its characters. A character is one code point (a
// surrogate pair counts once); a line break arrives here as CR LF, two
// single-byte characters. The class follows the character's code page 936
// code as a signed 16-bit value: above 0 single-byte, otherwise double-byte
// ("Chinese"). A character code page 936 cannot encode (an emoji, say) is no
// Chinese character: it counts with the characters, as its stand-in "?"
// would, and 8*16 mode refuses it as what it is, not ASCII.

struct InputCounts {
    qint64 singleByte = 0;
    qint64 doubleByte = 0;
};

InputCounts countInput(QStringView text);

// The input counts panel's text: " 3个字符 2个汉字".
QString countsText(const InputCounts &counts);

// The first character 8*16 mode cannot take: one with a code below 0, or
// without a code.
struct RefusedIn8x16 {
    bool doubleByte; // a code below 0; otherwise none at all
    int position;    // 1-based, as the user counts (a line break is two)
    QString character;
};
std::optional<RefusedIn8x16> firstRefusedIn8x16(QStringView text);

} // namespace ledglyph
