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

// The C locale is no regional setting at all (a bare system or a build
// machine); it gets the plain numeric forms, 2008-3-22 and 21:05:09, which also
// fit the status bar's narrow date panel.
bool isNeutral(const QLocale &locale)
{
    return locale.language() == QLocale::C;
}

} // namespace

QString timeText(const QTime &time, const QLocale &locale)
{
    if (isNeutral(locale))
        return time.toString(QStringLiteral("HH:mm:ss"));
    return locale.toString(time, longTimeFormatWithoutZone(locale));
}

QString dateText(const QDate &date, const QLocale &locale)
{
    if (isNeutral(locale))
        return date.toString(QStringLiteral("yyyy-M-d"));
    return locale.toString(date, QLocale::ShortFormat);
}

QString dateTimeText(const QDateTime &at, const QLocale &locale)
{
    return dateText(at.date(), locale) + QLatin1Char(' ') + timeText(at.time(), locale);
}

} // namespace ledglyph
