#pragma once

// The pieces of the glyph source text hz.txt that do not depend on the run's
// progress: the byte text of one value and the comment header.

#include "core/glyph_types.h"

#include <QString>

namespace ledglyph {

// Text files use CR LF line ends.
inline const QString lineEnd = QStringLiteral("\r\n");

// One byte as source text: tokHex0 below 16, tokHex otherwise, the value in
// upper-case hexadecimal, then tokSep ("0x0A," in C51, "00AH," in A51).
QString byteText(quint8 value, const FormatTokens &tokens);

// The header of hz.txt up to and including its closing empty line:
// an empty line, the generator line, the download line, the host with the date
// and time, and two empty lines, each comment line starting with tokComment.
QString glyphHeaderText(const FormatTokens &tokens, const QString &dateTime);

// The comment that names a cell's characters: tokComment, then the characters
// as typed, raw line-break characters included. When a line break inside the
// comment is followed by more of its characters (in 8*16 mode a CR LF can be
// split across two cells, so a comment may start with the LF), tokComment is
// written again after the break, so that the following character stays in a
// comment instead of becoming source code of its own.
QString glyphComment(QStringView characters, const FormatTokens &tokens);

} // namespace ledglyph
