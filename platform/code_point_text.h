#pragma once

#include <QString>

namespace ledglyph {

// A Unicode code point as people write it: "U+" and at least four upper-case
// hexadecimal digits (U+00A0, U+1F600). Messages name characters that cannot
// be seen, or that a font lacks, this way.
inline QString codePointText(char32_t c)
{
    return QStringLiteral("U+") + QString::number(static_cast<uint>(c), 16).toUpper().rightJustified(4, u'0');
}

} // namespace ledglyph
