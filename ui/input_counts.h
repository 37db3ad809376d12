#pragma once

#include <QString>
#include <QStringView>

namespace ledglyph {

// How the input box classes its characters. A character is one code point (a
// surrogate pair counts once); a line break arrives here as CR LF, two
// single-byte characters. The class follows the character's code page 936
// code as a signed 16-bit value: above 0 single-byte, otherwise double-byte
// ("Chinese"). A character code page 936 cannot encode (an emoji, say) can
// never be single-byte, so it counts as double-byte and 8*16 mode refuses it.

struct InputCounts {
    qint64 singleByte = 0;
    qint64 doubleByte = 0;
};

InputCounts countInput(QStringView text);

// The input counts panel's text: " 3个字符 2个汉字".
QString countsText(const InputCounts &counts);

// True when the text holds a character 8*16 mode cannot take: a code below 0,
// or no code at all.
bool hasCharacterRefusedIn8x16(QStringView text);

} // namespace ledglyph
