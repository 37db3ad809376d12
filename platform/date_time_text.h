#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>

namespace ledglyph {

// Date and time as the user's regional settings write them: the date in the
// short date form, the time of day in the long time form (without a time-zone
// name, which desktop long forms often carry), and both joined by one space.
QString timeText(const QTime &time, const QLocale &locale = QLocale::system());
QString dateText(const QDate &date, const QLocale &locale = QLocale::system());
QString dateTimeText(const QDateTime &at, const QLocale &locale = QLocale::system());

} // namespace ledglyph
