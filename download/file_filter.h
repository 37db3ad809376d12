#pragma once

#include <QString>

namespace ledglyph {

// A classic dialog filter ("description|*.a;*.b;" pairs joined by '|') in Qt's
// form ("description (*.a *.b)" entries joined by ";;").
QString qtFileFilter(const QString &classicFilter);

} // namespace ledglyph
