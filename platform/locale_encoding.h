#pragma once

#include <QByteArray>

#include <optional>

namespace ledglyph {

// The character encoding the user's locale sets for the terminal and for
// file names when it is not UTF-8, such as "GB18030" under
// LC_ALL=zh_CN.GB18030; nothing under UTF-8, under the C locale (plain
// ASCII) and on Windows. Read from LC_ALL, LC_CTYPE or LANG, whichever is set
// first, so it is known even when that locale is not installed.
std::optional<QByteArray> nonUtf8LocaleEncoding();

} // namespace ledglyph
