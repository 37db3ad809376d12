// The platform's services where the conversion tests do not reach them: the
// edges of the GB2312 area, date and time texts per locale, and where the
// program looks for its data files: beside itself first (a portable folder),
// then in ../share/ledglyph (an installed tree); outputs follow the data
// folder, beside the program only in a portable folder. A set of output files
// is replaced all or none: a write that fails (a full disk), a replacement
// that fails part way, a target that is no regular file or a folder another
// writer holds leaves every file as it was and no temporary or kept file
// behind.

#include "platform/app_dir.h"
#include "platform/code_page_936.h"
#include "platform/date_time_text.h"
#include "platform/file_set_writer.h"
#include "platform/file_system.h"
#include "tests/support/test_files.h"
#include "tests/support/test_time.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

using namespace ledglyph;
using namespace ledglyph::test;

namespace {

enum class Special { None, LinkToDevice, Pipe };

// A set write of a.txt, b.bin and c.txt over old files, and what spoils it.
struct SetWrite {
    bool fullDisk = false;   // writes beyond 1000 bytes fail while staging (a file size limit)
    int blocked = -1;        // the target, missing before, that turns into a folder after staging
    bool firstIsNew = false; // a.txt did not exist before
    int linked = -1;         // the target that is a link to a file outside the folder
    Special special = Special::None; // b.bin a link to a device node, or c.txt a pipe
    bool busy = false;       // another writer holds the folder's lock
    bool cutOff = false;     // a staged file of a write cut off lies in the folder
    QString failure{};       // a part of the reason, or empty when the write succeeds
};

// A link as its target, a folder, pipe or device as such, a file as its bytes.
QByteArray described(const QString &path)
{
    const QFileInfo info(path);
    if (info.isSymLink())
        return "a link to " + QFile::encodeName(info.symLinkTarget());
    if (info.isDir())
        return "a folder";
    if (!info.exists())
        return "nothing";
    return info.isFile() ? readFile(path) : "a pipe or device";
}

} // namespace

Q_DECLARE_METATYPE(SetWrite)

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
        QTest::addColumn<SetWrite>("write");
        const auto row = [](const char *tag, const SetWrite &write) { QTest::newRow(tag) << write; };
        row("every file replaced", {});
        row("every file replaced, first new", {.firstIsNew = true});
        // A short write is followed by one that says why.
        row("full disk", {.fullDisk = true, .failure = "File too large"});
        // The last target: an old file put back, a new one removed again.
        row("target 2 blocked, first new", {.blocked = 2, .firstIsNew = true, .failure = "Is a directory"});
        // A link is replaced itself: nothing outside the folder changes.
        row("b.bin a link to a file outside", {.linked = 1});
        row("a.txt a link, target 2 blocked", {.blocked = 2, .linked = 0, .failure = "Is a directory"});
        row("b.bin a link to a device", {.special = Special::LinkToDevice, .failure = "符号链接"});
        row("c.txt a pipe", {.special = Special::Pipe, .failure = "管道"});
        row("another writer holds the lock", {.busy = true, .failure = "另一个程序正在写入这个文件夹中的文件"});
        // What a write cut off while staging left goes first.
        row("a staged file of a cut-off write", {.cutOff = true});
    }

    // Either every file gets its new bytes or every file (a link, the absence
    // of a new one) stays as it was; nothing outside the folder changes, and
    // the only files left are the set's own and the user's a.txt.ledglyph-old.
    void fileSetAllOrNone()
    {
        QFETCH(SetWrite, write);
        if (write.special == Special::LinkToDevice && geteuid() != 0)
            QSKIP("making a device node needs root");
        const QStringList names{QStringLiteral("a.txt"), QStringLiteral("b.bin"), QStringLiteral("c.txt")};
        QTemporaryDir root;
        QVERIFY(QDir(root.path()).mkpath(QStringLiteral("set")));
        const auto path = [&](const QString &name) { return root.filePath(QStringLiteral("set/") + name); };
        const QString outside = root.filePath(QStringLiteral("outside"));
        writeFile(outside, "outside");
        writeFile(path(QStringLiteral("a.txt.ledglyph-old")), "the user's own");
        for (const QString &name : names)
            writeFile(path(name), "old " + name.toUtf8());
        if (write.firstIsNew)
            QVERIFY(QFile::remove(path(names[0])));
        if (write.blocked >= 0)
            QVERIFY(QFile::remove(path(names[write.blocked])));
        if (write.linked >= 0)
            QVERIFY(QFile::remove(path(names[write.linked])) && QFile::link(outside, path(names[write.linked])));
        if (write.special == Special::LinkToDevice) {
            QCOMPARE(::mknod(QFile::encodeName(root.filePath(QStringLiteral("null"))), S_IFCHR | 0666, makedev(1, 3)), 0);
            QVERIFY(QFile::remove(path(names[1])) && QFile::link(root.filePath(QStringLiteral("null")), path(names[1])));
        }
        if (write.special == Special::Pipe)
            QVERIFY(QFile::remove(path(names[2])) && ::mkfifo(QFile::encodeName(path(names[2])), 0600) == 0);
        if (write.cutOff)
            writeFile(path(QStringLiteral("a.txt.abcdefghijkl.ledglyph-new")), "half");
        std::optional<file_system::Folder> holder;
        if (write.busy) {
            holder = file_system::Folder::open(root.filePath(QStringLiteral("set"))).value();
            QCOMPARE(holder->tryLock().value(), file_system::Folder::Lock::Taken);
        }
        QByteArrayList before;
        for (const QString &name : names)
            before << described(path(name));
        QList<FileContent> files;
        for (const QString &name : names)
            files << FileContent{path(name), "new " + name.toUtf8() + QByteArray(3000, 'n')};

        FileSetWriter writer(files, std::chrono::milliseconds(100));
        rlimit saved{};
        getrlimit(RLIMIT_FSIZE, &saved);
        if (write.fullDisk) { // writes then fail as on a full disk, instead of ending the process
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limited{1000, saved.rlim_max};
            setrlimit(RLIMIT_FSIZE, &limited);
        }
        std::optional<FileSetFailure> failure = writer.stage();
        setrlimit(RLIMIT_FSIZE, &saved);
        if (write.blocked >= 0) { // a folder that is not empty cannot be replaced by a file
            QVERIFY(QDir(root.path()).mkpath(QStringLiteral("set/") + names[write.blocked] + QStringLiteral("/inside")));
            before[write.blocked] = "a folder";
        }
        if (!failure)
            failure = writer.replace();

        QCOMPARE(failure.has_value(), !write.failure.isEmpty());
        if (failure) {
            QVERIFY2(failure->reason.contains(write.failure), qPrintable(failure->reason));
            QVERIFY(failure->changed.isEmpty());
        }
        for (int i = 0; i < names.size(); ++i)
            QCOMPARE(described(path(names[i])), failure ? before[i] : files[i].bytes);
        QCOMPARE(readFile(outside), "outside");
        QCOMPARE(readFile(path(QStringLiteral("a.txt.ledglyph-old"))), "the user's own");
        const QDir set(root.filePath(QStringLiteral("set")));
        QCOMPARE(set.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot).size(),
                 names.size() + 1 - (failure && write.firstIsNew ? 1 : 0));
    }
};

QTEST_GUILESS_MAIN(TestPlatform)
#include "test_platform.moc"
