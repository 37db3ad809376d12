#pragma once

#include <QByteArray>
#include <QString>

namespace ledglyph {

struct Cp936Text {
    QByteArray bytes;
    QString error; // empty on success; names the first character code page 936 lacks
};

// A text as code page 936 bytes with CR LF line ends, the form of our text
// files beside the program.
Cp936Text toCp936WithCrLf(const QString &text);

} // namespace ledglyph
