// Date and time texts as regional settings write them: short date, long time
// without a time-zone name, joined by one space.

#include "platform/date_time_text.h"

#include <QTest>

using namespace ledglyph;

class TestDateTimeText : public QObject {
    Q_OBJECT

private slots:
    void texts_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("time");
        QTest::newRow("zh_CN") << QLocale(QStringLiteral("zh_CN")) << "2008/3/22" << "21:05:09";
        QTest::newRow("en_US") << QLocale(QStringLiteral("en_US")) << "3/22/08" << "9:05:09 PM";
        QTest::newRow("de_DE") << QLocale(QStringLiteral("de_DE")) << "22.03.08" << "21:05:09";
        QTest::newRow("C") << QLocale::c() << "2008-3-22" << "21:05:09";
        // Long forms with a bracketed zone and a day period.
        QTest::newRow("zh_HK") << QLocale(QStringLiteral("zh_HK")) << "22/3/2008" << "下午9:05:09";
        QTest::newRow("zh_TW") << QLocale(QStringLiteral("zh_TW")) << "2008/3/22" << "下午9:05:09";
    }

    void texts()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, date);
        QFETCH(QString, time);
        const QDateTime at(QDate(2008, 3, 22), QTime(21, 5, 9));
        QCOMPARE(dateText(at.date(), locale), date);
        QCOMPARE(timeText(at.time(), locale), time);
        QCOMPARE(dateTimeText(at, locale), date + QLatin1Char(' ') + time);
    }

    // No locale leaves a time-zone field, its brackets or stray blanks behind.
    void noLocaleLeavesZoneRemains()
    {
        const QTime time(9, 5, 9);
        const QList<QLocale> locales =
            QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyTerritory);
        QVERIFY(locales.size() > 100);
        for (const QLocale &locale : locales) {
            const QString text = timeText(time, locale);
            QVERIFY2(!text.contains(QLatin1Char('[')) && !text.contains(QLatin1Char(']')),
                     qPrintable(locale.name() + QStringLiteral(": ") + text));
            QVERIFY2(text == text.trimmed() && !text.contains(QStringLiteral("  ")),
                     qPrintable(locale.name() + QStringLiteral(": ") + text));
        }
    }
};

QTEST_GUILESS_MAIN(TestDateTimeText)
#include "test_date_time_text.moc"
