#pragma once

#include <QString>

namespace ledglyph {

// The text with every line break (LF, CR LF or a lone CR) written as CR LF,
// as a line break typed into a Windows text box is.
QString withCrLfLineBreaks(const QString &text);

// A text file's content taken as if typed into the input box: line breaks
// become CR LF and one final line end, which editors add, is dropped.
QString typedTextFromFile(const QString &fileText);

struct Utf8FileRead {
    QString text;
    QString error; // empty when the file was read and is valid UTF-8
};

// Reads a whole file as UTF-8 (a leading byte-order mark is skipped).
// Invalid UTF-8 is refused rather than silently replaced.
Utf8FileRead readUtf8File(const QString &path);

} // namespace ledglyph
