// The platform's services where the conversion tests do not reach them: the
// edges of the GB2312 area, date and time texts per locale, and where the
// program looks for its data files: beside itself first (a portable folder),
// then in ../share/ledglyph (an installed tree); outputs follow the data
// folder, beside the program only in a portable folder. A set of output files
// is replaced all or none: a write that fails (a full disk) or a replacement
// that fails part way leaves every file as it was and no temporary or kept
// file behind.

#include "platform/app_dir.h"
#include "platform/code_page_936.h"
#include "platform/date_time_text.h"
#include "platform/file_set_writer.h"
#include "tests/support/test_files.h"
#include "tests/support/test_time.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#endif

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

    void fileSetAllOrNone_data()
    {
        QTest::addColumn<bool>("fullDisk"); // writes beyond 1000 bytes fail while staging (a file size limit)
        QTest::addColumn<int>("blocked");   // the target that turns into a folder after staging, or -1
        QTest::addColumn<bool>("firstIsNew"); // the first target did not exist before
        QTest::newRow("every file replaced") << false << -1 << false;
        QTest::newRow("every file replaced, first new") << false << -1 << true;
        QTest::newRow("full disk") << true << -1 << false;
        // The last target: an old file put back, a new one removed again.
        QTest::newRow("target 2 blocked, first new") << false << 2 << true;
    }

    // Either every file gets its new bytes or every file (and the absence of a
    // new one) stays as it was, and only the set's own files are left.
    void fileSetAllOrNone()
    {
        QFETCH(bool, fullDisk);
        QFETCH(int, blocked);
        QFETCH(bool, firstIsNew);
        const QStringList names{QStringLiteral("a.txt"), QStringLiteral("b.bin"), QStringLiteral("c.txt")};
        QTemporaryDir dir;
        const auto path = [&](const QString &name) { return dir.filePath(name); };
        for (const QString &name : names)
            writeFile(path(name), "old " + name.toUtf8());
        if (firstIsNew)
            QVERIFY(QFile::remove(path(names[0])));
        QList<FileContent> files;
        for (const QString &name : names)
            files << FileContent{path(name), "new " + name.toUtf8() + QByteArray(3000, 'n')};
        FileSetWriter writer(files);
#ifdef Q_OS_UNIX
        rlimit saved{};
        getrlimit(RLIMIT_FSIZE, &saved);
        if (fullDisk) { // writes then fail as on a full disk, instead of ending the process
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limited{1000, saved.rlim_max};
            setrlimit(RLIMIT_FSIZE, &limited);
        }
        std::optional<FileSetFailure> failure = writer.stage();
        setrlimit(RLIMIT_FSIZE, &saved);
#else
        if (fullDisk)
            QSKIP("a full disk is played by a file size limit, which only POSIX systems have");
        std::optional<FileSetFailure> failure = writer.stage();
#endif
        if (blocked >= 0) { // a folder that is not empty cannot be replaced by a file
            QVERIFY(QFile::remove(path(names[blocked])));
            QVERIFY(QDir(dir.path()).mkpath(names[blocked] + QStringLiteral("/inside")));
        }
        if (!failure)
            failure = writer.replace();

        const bool fails = fullDisk || blocked >= 0;
        QCOMPARE(failure.has_value(), fails);
        if (fails) {
            QCOMPARE(failure->path, path(names[qMax(blocked, 0)]));
            QVERIFY(failure->changed.isEmpty());
        }
        for (int i = 0; i < names.size(); ++i) {
            const QFileInfo file(path(names[i]));
            const QByteArray expected = !fails ? files[i].bytes
                                        : i == blocked ? "a folder"
                                        : i == 0 && firstIsNew ? "nothing"
                                                               : "old " + names[i].toUtf8();
            QCOMPARE(file.isDir() ? "a folder" : file.exists() ? readFile(file.filePath()) : "nothing", expected);
        }
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).size(),
                 names.size() - (fails && firstIsNew ? 1 : 0));
    }
};

QTEST_GUILESS_MAIN(TestPlatform)
#include "test_platform.moc"
