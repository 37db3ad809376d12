#pragma once

#include "platform/result.h"

#include <QByteArray>
#include <QString>

namespace ledglyph {

// A text as code page 936 bytes with CR LF line ends, the form of our text
// files beside the program; or the failure naming the first character the
// program's code page 936 lacks (it holds ASCII, € and GB2312 only).
Result<QByteArray> toCp936WithCrLf(const QString &text);

} // namespace ledglyph
