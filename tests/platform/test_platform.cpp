// The platform's services where the conversion tests do not reach them: the
// program's code page 936 table against the platform's own converters (ICU's
// GBK, glibc's iconv), date and time texts per locale, and where the
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
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_UNIX
#include <csignal>
#include <iconv.h>
#include <sys/resource.h>
#endif

using namespace ledglyph;
using namespace ledglyph::test;
using namespace Qt::StringLiterals;

namespace {

// One of the platform's converters, to hold the table against: a character
// as bytes and bytes as text, empty where the converter has none.
class PlatformConverter {
public:
    virtual ~PlatformConverter() = default;
    virtual QByteArray encode(QChar c) = 0;
    virtual QString decode(QByteArrayView bytes) = 0;
};

// ICU's "GBK" through Qt: what the program used before it had its own table.
class IcuConverter : public PlatformConverter {
public:
    QByteArray encode(QChar c) override
    {
        QStringEncoder encoder("GBK", QStringEncoder::Flag::Stateless);
        const QByteArray bytes = encoder.encode(QStringView(&c, 1));
        return encoder.hasError() ? QByteArray() : bytes;
    }
    QString decode(QByteArrayView bytes) override
    {
        QStringDecoder decoder("GBK", QStringDecoder::Flag::Stateless);
        const QString text = decoder.decode(bytes);
        return decoder.hasError() ? QString() : text;
    }
};

#ifdef Q_OS_UNIX
class IconvConverter : public PlatformConverter {
public:
    explicit IconvConverter(const char *name)
        : m_encoder(iconv_open(name, "UTF-16LE")), m_decoder(iconv_open("UTF-16LE", name)) {}
    ~IconvConverter() override
    {
        for (const iconv_t converter : {m_encoder, m_decoder}) {
            if (converter != iconv_t(-1))
                iconv_close(converter);
        }
    }
    bool isValid() const { return m_encoder != iconv_t(-1) && m_decoder != iconv_t(-1); }
    QByteArray encode(QChar c) override
    {
        const char16_t unit = c.unicode();
        return convert(m_encoder, QByteArrayView(reinterpret_cast<const char *>(&unit), 2));
    }
    QString decode(QByteArrayView bytes) override
    {
        const QByteArray utf16 = convert(m_decoder, bytes);
        return QString(reinterpret_cast<const QChar *>(utf16.constData()), utf16.size() / 2);
    }

private:
    static QByteArray convert(iconv_t converter, QByteArrayView in)
    {
        iconv(converter, nullptr, nullptr, nullptr, nullptr);
        char out[16];
        char *from = const_cast<char *>(in.data());
        char *to = out;
        size_t fromLeft = in.size();
        size_t toLeft = sizeof out;
        if (iconv(converter, &from, &fromLeft, &to, &toLeft) == size_t(-1) || fromLeft != 0)
            return {};
        return QByteArray(out, to - out);
    }

    iconv_t m_encoder;
    iconv_t m_decoder;
};
#endif

// Positions where a converter has its own character.
using Differences = QMap<quint16, QChar>;

QString hex(quint16 code)
{
    return QString::number(code, 16).toUpper();
}

} // namespace

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
        std::unique_ptr<PlatformConverter> platform;
        if (converter == u"ICU") {
            if (!QStringDecoder("GBK").isValid())
                QSKIP("this Qt has no ICU");
            platform = std::make_unique<IcuConverter>();
        } else {
#ifdef Q_OS_UNIX
            auto iconv = std::make_unique<IconvConverter>(qPrintable(converter));
            if (!iconv->isValid())
                QSKIP("iconv has no such converter");
            platform = std::move(iconv);
#else
            QSKIP("no iconv on this system");
#endif
        }

        QStringList mismatches;
        for (int row = 0xA1; row <= 0xF7; ++row) {
            for (int cell = 0xA1; cell <= 0xFE; ++cell) {
                const auto code = static_cast<quint16>((row << 8) | cell);
                const char bytes[] = {char(row), char(cell)};
                const bool assigned = cp936::isAssignedGb2312(static_cast<qint16>(code));
                const QString ours = cp936::decode(QByteArrayView(bytes, 2));
                const QString expected = !assigned ? QString() : differences.contains(code) ? differences[code] : ours;
                const QString theirs = platform->decode(QByteArrayView(bytes, 2));
                if ((assigned || sameCharacterSet) && theirs != expected)
                    mismatches << hex(code) + u" decodes to "_s + ours + u", theirs "_s + theirs;
            }
        }
        for (char16_t u = 0x80; u < 0xFFFF; ++u) {
            const QChar c(u);
            if (c.isSurrogate())
                continue;
            const std::optional<qint16> ours = cp936::charCode(QStringView(&c, 1));
            const QByteArray theirs = platform->encode(c);
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
