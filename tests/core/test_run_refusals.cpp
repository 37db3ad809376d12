// Runs that must not convert: the empty input, texts the font libraries
// cannot hold, too long texts, missing, unreadable or short font files and
// outputs that cannot be written. Each gives its message and leaves every
// file as it was, with no temporary file left behind.

#include "core/conversion_run.h"
#include "synthetic_fonts.h"
#include "tests/support/test_time.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace ledglyph;
using namespace ledglyph::test;
using namespace Qt::StringLiterals;

namespace {

// What a row spoils besides the font sizes. Tests run as root, so an output
// folder that cannot be written is one whose parent is a file.
enum class Spoiled { Nothing, HzkIsAFolder, OutputFolderUnderAFile, LastOutputIsAFolder };

struct Refusal {
    QString text;
    CellMode mode = CellMode::Cell16x16;
    QString message;        // %1 = the font folder, %2 = the output folder
    qint64 ascSize = 4096;  // -1: no file
    qint64 hzSize = 261696; // -1: no file
    Spoiled spoiled = Spoiled::Nothing;
};

} // namespace

Q_DECLARE_METATYPE(Refusal)

class TestRunRefusals : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_work; // per test: its own fonts/ and out/
    FixedClock m_clock{testTime()};

    QString outDir() const { return m_work->filePath(QStringLiteral("out")); }
    QString fontDir() const { return m_work->filePath(QStringLiteral("fonts")); }

    // Every entry of the output folder, hidden ones too, with the bytes of each file.
    QStringList outputFolderContents() const
    {
        QStringList entries;
        for (const QFileInfo &entry :
             QDir(outDir()).entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot))
            entries << entry.fileName() + QLatin1Char(':')
                           + (entry.isDir() ? QStringLiteral("folder") : QString::fromUtf8(readFile(entry.filePath())));
        return entries;
    }

private slots:
    void init()
    {
        m_work = std::make_unique<QTemporaryDir>();
        QVERIFY(QDir(m_work->path()).mkpath(QStringLiteral("fonts")));
        QVERIFY(QDir(m_work->path()).mkpath(QStringLiteral("out")));
        writeEarlierOutputs(outDir());
    }

    void refusals_data()
    {
        QTest::addColumn<Refusal>("refusal");
        const auto row = [](const char *tag, const Refusal &refusal) { QTest::newRow(tag) << refusal; };
        const QString notInLibrary =
            u"字库中没有以下字符的字模（只能取模GB2312汉字、全角符号和ASCII字符）：%1。请删除或替换这些字符后再取模。"_s;
        const auto tooShort = [](const char *file, int size, const QString &what, int needed) {
            return u"字库文件“%1/%2”不完整：只有%3字节，而读取%4的字模需要至少%5字节。"
                   u"请换用完整的字库文件（hzk16应有261696字节，ASC16应有4096字节）后再取模。"_s
                .arg(u"%1"_s, QLatin1String(file), QString::number(size), what, QString::number(needed));
        };
        const QString tooMany = u"输入的字符太多：共1013个字符，一次最多只能取模1012个字符（换行算两个字符）。请删去1个字符后再取模。"_s;

        row("empty", {.text = {}, .message = u"你还没有输入要取模的字符！！！"_s});
        // Positions count a surrogate pair as one character; 丂 (8140) and 癅 (B040)
        // are double-byte characters outside GB2312.
        row("emoji and outside GB2312",
            {.text = u"😀A丂啊癅"_s, .message = notInLibrary.arg(u"第1个字符“😀”、第3个字符“丂”、第5个字符“癅”"_s)});
        // A character outside the table leaves the characters after it alone.
        row("no-break space among valid characters",
            {.text = u"价格\u00A0100元"_s, .message = notInLibrary.arg(u"第3个字符（U+00A0）"_s)});
        // Invisible characters and a trailing lone surrogate are named by their code.
        row("invisible and lone surrogate",
            {.text = u"A\u200B"_s + QChar(0xD83D), .message = notInLibrary.arg(u"第2个字符（U+200B）、第3个字符（U+D83D）"_s)});
        // Code page 936 maps more than GB2312 into the same bytes: private use
        // (AAA1, A2AB, F8A1), its own additions (ⅰ A2A1, ︵ A6E0) and € (80).
        row("code page 936 beyond GB2312",
            {.text = u"A\uE000\uE766ⅰ︵€\uE234"_s,
             .message = notInLibrary.arg(u"第2个字符（U+E000）、第3个字符（U+E766）、第4个字符“ⅰ”、"
                                         u"第5个字符“︵”、第6个字符“€”、第7个字符（U+E234）"_s)});
        // In 8*16 a character outside GB2312 is named as not ASCII, not as Chinese.
        row("Chinese and outside GB2312 in 8*16",
            {.text = u"ab中丂\r\n\u3000"_s, .mode = CellMode::Cell8x16,
             .message = u"8*16格式时只能取模ASCII字符，以下字符不是 ASCII 字符：第4个字符“丂”。请删除或替换这些字符后再取模。\n"
                        u"8*16格式时不能取模汉字和全角字符：第3个字符“中”、第7个字符（U+3000）。"
                        u"要对汉字取模请选择16*16格式，或删除这些字符后再取模。"_s});
        QStringList ten; // the first ten are named, then the count
        for (int i = 1; i <= 10; ++i)
            ten << u"第%1个字符“😀”"_s.arg(i);
        row("twelve emoji", {.text = u"😀"_s.repeated(12), .message = notInLibrary.arg(ten.join(u"、"_s) + u"等共12个字符"_s)});
        row("NUL and emoji", {.text = u"😀"_s + QChar(0),
                              .message = u"输入中有空字符（编码为0的控制字符），无法取模：第2个字符。请删除后再取模。\n"_s
                                         + notInLibrary.arg(u"第1个字符“😀”"_s)});
        // One past the limit (the cells test converts 1012), a line break counting two.
        row("1011 characters and a line break",
            {.text = QString(1011, u'A') + u"\r\n"_s, .mode = CellMode::Cell8x16, .message = tooMany});
        // An emoji is one character, though two UTF-16 units.
        row("1006 hanzi and 7 emoji", {.text = QString(1006, u'啊') + u"😀"_s.repeated(7), .message = tooMany});

        row("hzk16 a folder", {.text = u"啊"_s,
                               .message = u"无法读取字库文件“%1/hzk16”，无法取得第1个字符“啊”的字模。"
                                          u"请检查该文件是否完好、是否有读取权限后再取模。\n系统信息：这是文件夹，不是文件"_s,
                               .hzSize = -1, .spoiled = Spoiled::HzkIsAFolder});
        // The banner needs ASC16 even when the text is all Chinese.
        row("ASC16 missing, Chinese text",
            {.text = u"啊"_s,
             .message = u"找不到字库文件“%1/ASC16”，无法取得横幅文字中的（空格）的字模。请把字库文件ASC16放到文件夹“%1”中后再取模。"_s,
             .ascSize = -1});
        row("hzk16 one byte short for 齄",
            {.text = u"啊齄"_s, .message = tooShort("hzk16", 261695, u"第2个字符“齄”"_s, 261696), .hzSize = 261695});
        // 66 records hold A, not z.
        row("ASC16 too short for an 8*16 pair", {.text = u"Az"_s, .mode = CellMode::Cell8x16,
                                                 .message = tooShort("ASC16", 1056, u"第2个字符“z”"_s, 1968), .ascSize = 66 * 16});
        row("ASC16 too short for a line break",
            {.text = u"\r\n"_s, .message = tooShort("ASC16", 208, u"第1个字符（回车符）"_s, 224), .ascSize = 13 * 16});

        const QString notWritten = u"无法写入输出文件“%2/%3”。请检查输出文件夹是否存在、是否可写，"
                                   u"文件是否被其他程序占用，然后再取模。所有输出文件都没有改动。\n系统信息：%4"_s;
        row("output folder under a file",
            {.text = u"A"_s, .message = notWritten.arg(u"%2"_s, u"Tempchar.txt"_s, u"文件夹“%2”不存在或不是文件夹"_s),
             .spoiled = Spoiled::OutputFolderUnderAFile});
        // The last output written keeps the others from being replaced too.
        row("zimuo.bin a folder",
            {.text = u"啊A"_s, .message = notWritten.arg(u"%2"_s, u"zimuo.bin"_s, u"这是文件夹，不是普通文件，不会被替换"_s),
             .spoiled = Spoiled::LastOutputIsAFolder});
    }

    void refusals()
    {
        QFETCH(Refusal, refusal);
        writeFonts(fontDir(), refusal.ascSize, refusal.hzSize);
        const bool outputFolderUnderAFile = refusal.spoiled == Spoiled::OutputFolderUnderAFile;
        const QString out = outDir() + (outputFolderUnderAFile ? QStringLiteral("/blocker/out") : QString());
        if (outputFolderUnderAFile)
            writeFile(outDir() + QStringLiteral("/blocker"), "a file, not a folder");
        if (refusal.spoiled == Spoiled::HzkIsAFolder)
            QVERIFY(QDir(fontDir()).mkpath(QStringLiteral("hzk16")));
        if (refusal.spoiled == Spoiled::LastOutputIsAFolder)
            QVERIFY(QFile::remove(out + QStringLiteral("/zimuo.bin")) && QDir(out).mkpath(QStringLiteral("zimuo.bin")));
        const QStringList before = outputFolderContents();
        const RunOutcome outcome =
            ConversionRun(fontDir(), out, m_clock)
                .run(refusal.text, {.format = OutputFormat::C51, .cellMode = refusal.mode, .invert = true, .mirror = true});
        QCOMPARE(outcome.kind, refusal.text.isEmpty() ? RunOutcome::Kind::EmptyInput : RunOutcome::Kind::Refused);
        QCOMPARE(outcome.message, QString(refusal.message)
                                      .replace(QStringLiteral("%1"), QDir::toNativeSeparators(fontDir()))
                                      .replace(QStringLiteral("%2"), QDir::toNativeSeparators(out)));
        QCOMPARE(outputFolderContents(), before);
    }
};

QTEST_GUILESS_MAIN(TestRunRefusals)
#include "test_run_refusals.moc"
