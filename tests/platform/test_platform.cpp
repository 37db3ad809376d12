// The platform's services where the conversion tests do not reach them: the
// edges of the GB2312 area, date and time texts per locale, and where the
// program looks for its data files: beside itself first (a portable folder),
// then in ../share/ledglyph (an installed tree); outputs follow the data
// folder, beside the program only in a portable folder.

#include "platform/app_dir.h"
#include "platform/code_page_936.h"
#include "platform/date_time_text.h"
#include "tests/support/test_files.h"
#include "tests/support/test_time.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace ledglyph;
using namespace ledglyph::test;

class TestPlatform : public QObject {
    Q_OBJECT

private slots:
    // Exactly GB2312's 682 symbols and 6,763 hanzi, each a real character that
    // code page 936 maps back to its position; the codec's own additions and
    // private-use characters in the same byte range are not assigned.
    void assignedGb2312()
    {
        int symbols = 0;
        int hanzi = 0;
        for (int code = 0x8140; code <= 0xFEFE; ++code) {
            if (!cp936::isAssignedGb2312(static_cast<qint16>(code)))
                continue;
            ++(code < 0xB0A1 ? symbols : hanzi);
            const char bytes[] = {char(code >> 8), char(code & 0xFF)};
            const QString ch = cp936::decode(QByteArray(bytes, 2));
            QVERIFY2(ch.size() == 1 && !(ch[0].unicode() >= 0xE000 && ch[0].unicode() <= 0xF8FF)
                         && cp936::charCode(ch) == static_cast<qint16>(code),
                     qPrintable(QString::number(code, 16)));
        }
        QCOMPARE(symbols, 682);
        QCOMPARE(hanzi, 6763);
    }

    // zh_TW's long time form has a bracketed zone field and a flexible day period.
    void dateTimeTexts()
    {
        const std::pair<const char *, const char *> texts[] = {
            {"zh_CN", "2008/3/22 21:05:09"}, {"en_US", "3/22/08 9:05:09 PM"},
            {"C", "2008-3-22 21:05:09"}, {"zh_TW", "2008/3/22 下午9:05:09"}};
        for (const auto &[locale, text] : texts)
            QCOMPARE(dateTimeText(testTime(), QLocale(QLatin1String(locale))), QString::fromUtf8(text));
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

    void dataBesideTheProgramFirst_data()
    {
        QTest::addColumn<QString>("besideProgram"); // a data file beside the program, or none
        QTest::addColumn<bool>("shareFolder");      // ../share/ledglyph exists
        QTest::addColumn<bool>("installed");        // data and outputs away from the program
        QTest::newRow("fonts beside the program and a share folder") << "hzk16" << true << false;
        QTest::newRow("help beside the program and a share folder") << "hellp.qvx" << true << false;
        QTest::newRow("installed") << "" << true << true;
        QTest::newRow("no data anywhere") << "" << false << false;
    }

    void dataBesideTheProgramFirst()
    {
        QFETCH(QString, besideProgram);
        QFETCH(bool, shareFolder);
        QFETCH(bool, installed);
        QTemporaryDir root;
        const QString program = root.filePath(QStringLiteral("bin"));
        const QString share = root.filePath(QStringLiteral("share/ledglyph"));
        QVERIFY(QDir().mkpath(program));
        if (shareFolder)
            QVERIFY(QDir().mkpath(share));
        if (!besideProgram.isEmpty())
            writeFile(program + QLatin1Char('/') + besideProgram, QByteArray());

        const ProgramFolders folders = programFolders(program);
        QCOMPARE(folders.data, installed ? share : program);
        QCOMPARE(folders.outputsInUserFolder, installed);
        QCOMPARE(folders.outputs, installed ? userOutputDir() : program);
    }
};

QTEST_GUILESS_MAIN(TestPlatform)
#include "test_platform.moc"
