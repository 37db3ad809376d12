#include "platform/date_time_text.h"

#include <QRegularExpression>

namespace ledglyph {

namespace {

// The long time form without its time-zone field ("t", "tt", "[t]", …) and the
// blanks around it. The flexible day period "B" (zh_TW), which Qt 6.4 would
// print as a letter, becomes the AM/PM text "AP".
QString longTimeFormatWithoutZone(const QLocale &locale)
{
    QString format = locale.timeFormat(QLocale::LongFormat);
    static const QRegularExpression zone(QStringLiteral("\\s*\\[?\\s*\\bt+\\b\\s*\\]?\\s*"));
    format.replace(zone, QStringLiteral(" "));
    static const QRegularExpression dayPeriod(QStringLiteral("B+"));
    format.replace(dayPeriod, QStringLiteral("AP"));
    return format.trimmed();
}

} // namespace

QString timeText(const QTime &time, const QLocale &locale)
{
    return locale.toString(time, longTimeFormatWithoutZone(locale));
}

QString dateText(const QDate &date, const QLocale &locale)
{
    return locale.toString(date, QLocale::ShortFormat);
}

QString dateTimeText(const QDateTime &at, const QLocale &locale)
{
    return dateText(at.date(), locale) + QLatin1Char(' ') + timeText(at.time(), locale);
}

} // namespace ledglyph
