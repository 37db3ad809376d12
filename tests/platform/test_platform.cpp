// The platform's services where the conversion tests do not reach them: the
// program's code page 936 table against the platform's own converters (ICU's
// GBK, glibc's iconv), date and time texts per locale, and where the
// program looks for its data files: beside itself first (a portable folder),
// then in ../share/ledglyph (an installed tree); outputs follow the data
// folder, beside the program only in a portable folder. A set of output files
// is replaced all or none: a replacement that fails part way, a target that
// is no regular file or a folder another writer holds leaves every file as it
// was and no temporary or kept file behind. (A write that fails on a full
// disk is test_cli's scriptedRuns row "full disk".)

#include "platform/app_dir.h"
#include "platform/code_page_936.h"
#include "platform/gb2312_table.h"
#include "platform/date_time_text.h"
#include "platform/file_set_writer.h"
#include "platform/file_system.h"
#include "tests/support/test_files.h"
#include "tests/support/test_time.h"

#include <QDir>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

#ifdef Q_OS_UNIX
#include <iconv.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>
#endif

using namespace ledglyph;
using namespace ledglyph::test;
using namespace Qt::StringLiterals;

namespace {

// One of the platform's converters, to hold the table against: a character
// as bytes and bytes as text, empty where the converter has none.
struct PlatformConverter {
    std::function<QByteArray(QChar)> encode;
    std::function<QString(QByteArrayView)> decode;
};

// ICU's "GBK" through Qt: what the program used before it had its own table.
PlatformConverter icuGbk()
{
    return {[](QChar c) {
                QStringEncoder encoder("GBK", QStringEncoder::Flag::Stateless);
                const QByteArray bytes = encoder.encode(QStringView(&c, 1));
                return encoder.hasError() ? QByteArray() : bytes;
            },
            [](QByteArrayView bytes) {
                QStringDecoder decoder("GBK", QStringDecoder::Flag::Stateless);
                const QString text = decoder.decode(bytes);
                return decoder.hasError() ? QString() : text;
            }};
}

// `in` from one encoding into another through glibc's iconv; empty when any
// byte has no counterpart, and where there is no iconv.
#ifdef Q_OS_UNIX
QByteArray throughIconv(const char *to, const char *from, QByteArrayView in)
{
    const iconv_t converter = iconv_open(to, from);
    if (converter == iconv_t(-1))
        return {};
    QByteArray out(16, '\0');
    char *inBytes = const_cast<char *>(in.data());
    char *outBytes = out.data();
    size_t inLeft = in.size();
    size_t outLeft = out.size();
    const bool converted = iconv(converter, &inBytes, &inLeft, &outBytes, &outLeft) != size_t(-1) && inLeft == 0;
    iconv_close(converter);
    return converted ? out.left(outBytes - out.data()) : QByteArray();
}
#else
QByteArray throughIconv(const char *, const char *, QByteArrayView) { return {}; }
#endif

PlatformConverter glibc(const QByteArray &name)
{
    return {[name](QChar c) {
                const char16_t unit = c.unicode();
                return throughIconv(name, "UTF-16LE", QByteArrayView(reinterpret_cast<const char *>(&unit), 2));
            },
            [name](QByteArrayView bytes) {
                const QByteArray utf16 = throughIconv("UTF-16LE", name, bytes);
                return QString(reinterpret_cast<const QChar *>(utf16.constData()), utf16.size() / 2);
            }};
}

// Positions where a converter has its own character.
using Differences = QMap<quint16, QChar>;

QString hex(quint16 code)
{
    return QString::number(code, 16).toUpper();
}

} // namespace

namespace {

enum class Special { None, LinkToDevice, Pipe };

// A set write of a.txt, b.bin and c.txt over old files, and what spoils it.
struct SetWrite {
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
    void tableMatchesPlatformConverters_data()
    {
        QTest::addColumn<QString>("converter");
        QTest::addColumn<bool>("sameCharacterSet"); // has characters at the 7,445 positions only
        QTest::addColumn<Differences>("differences");
        QTest::newRow("ICU GBK") << u"ICU"_s << false << Differences{};
        QTest::newRow("glibc CP936") << u"CP936"_s << false << Differences{};
        // The standard's original mapping, where Windows has · and —.
        QTest::newRow("glibc GB2312") << u"GB2312"_s << true
                                      << Differences{{0xA1A4, QChar(0x30FB)}, {0xA1AA, QChar(0x2015)}};
    }

    // Every double-byte position and every character of the BMP: the table
    // decodes and encodes as the platform's converter does wherever the table
    // has a character, and no other character encodes into its positions, so
    // the characters the program refuses stay those ICU's GBK refused.
    void tableMatchesPlatformConverters()
    {
        QFETCH(QString, converter);
        QFETCH(bool, sameCharacterSet);
        QFETCH(Differences, differences);
        const PlatformConverter platform = converter == u"ICU" ? icuGbk() : glibc(converter.toLatin1());
        if (platform.decode("\xB0\xA1") != u"啊"_s)
            QSKIP("the platform has no such converter (a Qt without ICU, a system without iconv)");

        QStringList mismatches;
        for (int row = 0xA1; row <= 0xF7; ++row) {
            for (int cell = 0xA1; cell <= 0xFE; ++cell) {
                const auto code = static_cast<quint16>((row << 8) | cell);
                const char bytes[] = {char(row), char(cell)};
                const bool assigned = cp936::isAssignedGb2312(static_cast<qint16>(code));
                const QString ours = cp936::decode(QByteArrayView(bytes, 2));
                const QString expected = !assigned ? QString() : differences.contains(code) ? differences[code] : ours;
                const QString theirs = platform.decode(QByteArrayView(bytes, 2));
                if ((assigned || sameCharacterSet) && theirs != expected)
                    mismatches << hex(code) + u" decodes to "_s + ours + u", theirs "_s + theirs;
            }
        }
        for (char16_t u = 0x80; u < 0xFFFF; ++u) {
            const QChar c(u);
            if (c.isSurrogate())
                continue;
            const std::optional<qint16> ours = cp936::charCode(QStringView(&c, 1));
            const QByteArray theirs = platform.encode(c);
            const auto theirCode = static_cast<quint16>(theirs.size() == 2 ? (quint8(theirs[0]) << 8) | quint8(theirs[1]) : 0);
            const bool theirsInTable = cp936::isAssignedGb2312(static_cast<qint16>(theirCode)) && !differences.contains(theirCode);
            const bool oursDoubleByte = ours && *ours < 0 && !differences.contains(static_cast<quint16>(*ours));
            if ((theirsInTable || oursDoubleByte) && (!ours || static_cast<quint16>(*ours) != theirCode))
                mismatches << u"U+"_s + hex(u) + u" encodes to "_s + (ours ? hex(static_cast<quint16>(*ours)) : u"nothing"_s)
                                  + u", theirs "_s + (theirs.isEmpty() ? u"nothing"_s : hex(theirCode));
        }
        QCOMPARE(mismatches.mid(0, 10).join(u"; "_s), QString());
    }

    // ASCII, € and GB2312 characters as Windows maps them, and nothing for a
    // text with any other character. Bytes outside the table become U+FFFD,
    // one per pair, or per first byte without its second (which the
    // platform's decoder dropped at the end of the bytes).
    void bytesAndText()
    {
        const std::pair<QString, std::optional<QByteArray>> encodings[] = {
            {u"A啊·—€\r\n"_s, "A\xB0\xA1\xA1\xA4\xA1\xAA\x80\r\n"_ba},
            {u"ⅰ"_s, std::nullopt}, {u"丂"_s, std::nullopt}, {u"\u30FB"_s, std::nullopt},
            {u"a\u00A0"_s, std::nullopt}, {u"😀"_s, std::nullopt}, {QString(QChar(0xD83D)), std::nullopt}};
        for (const auto &[text, bytes] : encodings)
            QCOMPARE(cp936::encode(text), bytes);
        const std::pair<QByteArray, QString> decodings[] = {
            {"A\xB0\xA1\xA1\xA4\xA1\xAA\x80\r\n"_ba, u"A啊·—€\r\n"_s},
            {"\xA2\xA1|\xAA\xA1|\x81\x40|\xFF"_ba, u"\uFFFD|\uFFFD|\uFFFD|\uFFFD"_s},
            {"\x81\x30" "A\xB0"_ba, u"\uFFFD0A\uFFFD"_s}};
        for (const auto &[bytes, text] : decodings)
            QCOMPARE(cp936::decode(bytes), text);
    }

    // Date and time texts in four locales (zh_TW's long time form has a
    // bracketed zone field and a flexible day period) and the time in every one.
    void dateTimeTexts()
    {
        const std::pair<const char *, const char *> texts[] = {
            {"zh_CN", "2008/3/22 21:05:09"}, {"en_US", "3/22/08 9:05:09 PM"},
            {"C", "2008-3-22 21:05:09"}, {"zh_TW", "2008/3/22 下午9:05:09"}};
        for (const auto &[locale, text] : texts)
            QCOMPARE(dateTimeText(testTime(), QLocale(QLatin1String(locale))), QString::fromUtf8(text));

        // No locale leaves a time-zone field, its brackets or stray blanks behind.
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

    // The one message for a set of files that could not be written, with the
    // caller's advice and the files left changed. (Without changed files:
    // test_conversion_run's refusal "output folder under a file".)
    void failureNamesTheFilesChanged()
    {
        const FileSetFailure failure{.path = u"/out/zimuo.bin"_s, .reason = u"Input/output error"_s,
                                     .changed = {u"/out/hz.txt"_s, u"/out/Tempchar.txt"_s}};
        QCOMPARE(fileSetFailureMessage(failure, u"请检查后再取模。"_s),
                 u"无法写入输出文件“/out/zimuo.bin”。请检查后再取模。以下文件已被替换为本次的结果，且无法恢复原文件，"
                 u"其余输出文件未改动：/out/hz.txt、/out/Tempchar.txt。\n系统信息：Input/output error"_s);
    }

    void fileSetAllOrNone_data()
    {
        QTest::addColumn<SetWrite>("write");
        const auto row = [](const char *tag, const SetWrite &write) { QTest::newRow(tag) << write; };
        row("every file replaced", {});
        row("every file replaced, first new", {.firstIsNew = true});
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
#ifndef Q_OS_UNIX
        QSKIP("plays its faults with links, pipes and device nodes");
#else
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
        QList<FileContent> files;
        for (const QString &name : names) {
            before << described(path(name));
            files << FileContent{path(name), "new " + name.toUtf8() + QByteArray(3000, 'n')};
        }

        FileSetWriter writer(files, std::chrono::milliseconds(100));
        Result<void, FileSetFailure> written = writer.stage();
        if (write.blocked >= 0) { // a folder that is not empty cannot be replaced by a file
            QVERIFY(QDir(root.path()).mkpath(QStringLiteral("set/") + names[write.blocked] + QStringLiteral("/inside")));
            before[write.blocked] = "a folder";
        }
        if (written.ok())
            written = writer.replace();

        const bool failed = !written.ok();
        QCOMPARE(failed, !write.failure.isEmpty());
        if (failed) {
            QVERIFY2(written.error().reason.contains(write.failure), qPrintable(written.error().reason));
            QVERIFY(written.error().changed.isEmpty());
        }
        for (int i = 0; i < names.size(); ++i)
            QCOMPARE(described(path(names[i])), failed ? before[i] : files[i].bytes);
        QCOMPARE(readFile(outside), "outside");
        QCOMPARE(readFile(path(QStringLiteral("a.txt.ledglyph-old"))), "the user's own");
        const QDir set(root.filePath(QStringLiteral("set")));
        QCOMPARE(set.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot).size(),
                 names.size() + 1 - (failed && write.firstIsNew ? 1 : 0));
#endif
    }
};

QTEST_GUILESS_MAIN(TestPlatform)
#include "test_platform.moc"
