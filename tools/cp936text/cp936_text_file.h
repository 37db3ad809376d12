#pragma once

#include "platform/result.h"

#include <QByteArray>
#include <QString>

namespace ledglyph {

// A text as code page 936 bytes with CR LF line ends, the form of our text
// files beside the program; or the failure naming the first character code
// page 936 lacks.
Result<QByteArray> toCp936WithCrLf(const QString &text);

} // namespace ledglyph
