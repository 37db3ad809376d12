#pragma once

// The moment every test runs at: 2008-03-22, by default at 21:05:09. A test
// that needs another time of day (a morning, say) names only the time.

#include "platform/clock.h"

#include <QDateTime>

namespace ledglyph::test {

inline QDateTime testTime(QTime timeOfDay = QTime(21, 5, 9))
{
    return QDateTime(QDate(2008, 3, 22), timeOfDay);
}

} // namespace ledglyph::test
