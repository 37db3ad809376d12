#pragma once

#include "platform/result.h"

#include <QString>

namespace ledglyph {

// The text with every line break (LF, CR LF or a lone CR) written as CR LF,
// as a line break typed into a Windows text box is.
QString withCrLfLineBreaks(const QString &text);

// A text file's content taken as if typed into the input box: line breaks
// become CR LF and one final line end, which editors add, is dropped.
QString typedTextFromFile(const QString &fileText);

// The largest text file read: far more than the longest text a run converts
// (1012 characters of at most 3 bytes each), so a larger file never converts.
constexpr qint64 maxTextFileBytes = 64 * 1024;

// Reads a whole regular file of at most maxTextFileBytes as UTF-8 (a leading
// byte-order mark is skipped). Invalid UTF-8, an incomplete final sequence
// included, is refused rather than silently replaced or dropped.
Result<QString> readUtf8File(const QString &path);

// The bytes of the file at `path` as UTF-8, refused as readUtf8File does.
Result<QString> utf8Text(const QByteArray &bytes, const QString &path);

} // namespace ledglyph
