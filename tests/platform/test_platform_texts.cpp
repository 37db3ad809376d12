// The platform's text services where the conversion tests do not reach them:
// the edges of the GB2312 area, and date and time texts per locale.

#include "platform/code_page_936.h"
#include "platform/date_time_text.h"

#include <QTest>

using namespace ledglyph;

class TestPlatformTexts : public QObject {
    Q_OBJECT

private slots:
    // Both bytes from A1 to FE; FEFE lies inside although no character is there.
    void gb2312Area()
    {
        for (const int code : {0xA1A1, 0xF7FE, 0xFEFE})
            QVERIFY(cp936::isGb2312DoubleByte(static_cast<qint16>(code)));
        for (const int code : {0xA0A1, 0xA1A0, 0xB040, 0xFFA1, 0xA1FF})
            QVERIFY(!cp936::isGb2312DoubleByte(static_cast<qint16>(code)));
    }

    void dateTimeTexts_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("text");
        QTest::newRow("zh_CN") << QLocale(QStringLiteral("zh_CN")) << "2008/3/22 21:05:09";
        QTest::newRow("en_US") << QLocale(QStringLiteral("en_US")) << "3/22/08 9:05:09 PM";
        QTest::newRow("C") << QLocale::c() << "2008-3-22 21:05:09";
        // Long time forms with a bracketed zone field and a day period.
        QTest::newRow("zh_HK") << QLocale(QStringLiteral("zh_HK")) << "22/3/2008 下午9:05:09";
        QTest::newRow("zh_TW") << QLocale(QStringLiteral("zh_TW")) << "2008/3/22 下午9:05:09";
    }

    void dateTimeTexts()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, text);
        QCOMPARE(dateTimeText(QDateTime(QDate(2008, 3, 22), QTime(21, 5, 9)), locale), text);
    }

    // No locale leaves a time-zone field, its brackets or stray blanks behind.
    void noLocaleLeavesZoneRemains()
    {
        const QList<QLocale> locales =
            QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyTerritory);
        QVERIFY(locales.size() > 100);
        for (const QLocale &locale : locales) {
            const QString text = timeText(QTime(9, 5, 9), locale);
            QVERIFY2(!text.contains(QLatin1Char('[')) && !text.contains(QLatin1Char(']')) && text == text.trimmed()
                         && !text.contains(QStringLiteral("  ")),
                     qPrintable(locale.name() + QStringLiteral(": ") + text));
        }
    }
};

QTEST_GUILESS_MAIN(TestPlatformTexts)
#include "test_platform_texts.moc"
