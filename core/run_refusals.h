#pragma once

// The reasons a run refuses to convert, as Chinese messages that say what to
// change. A refused run writes no file.

#include "core/glyph_types.h"
#include "fonts/font_library.h"

#include <QString>
#include <QStringList>

#include "platform/result.h"

namespace ledglyph {

// The longest text a run converts, in characters as the user counts them (a
// line break is two, a surrogate pair one; every character a run converts is
// one UTF-16 unit): 16-bit offsets into the glyph buffer hold
// (1012 + 11) × 32 bytes and no more.
constexpr qint16 maxTextLength = 1012;

// Whether `text` can be converted in `mode`, or why not: too long,
// a NUL character, a character the font libraries cannot hold (outside
// GB2312, or not encodable in code page 936 at all), or in 8*16 mode a
// double-byte character. Characters are named with their 1-based positions as
// the user counts them (a surrogate pair is one character).
Status checkInput(const QString &text, CellMode mode);

// "第3个字符“啊”" — a character of the text, for messages.
QString textCharacterLabel(int position, QStringView ch);

// "横幅文字中的“w”" — a character of the banner, for messages.
QString bannerCharacterLabel(QStringView ch);

// A font library read failed while fetching the glyph of `characterLabel`.
QString fontRefusal(const fonts::FontRead &read, const QString &fontPath,
                    const QString &characterLabel);

} // namespace ledglyph
