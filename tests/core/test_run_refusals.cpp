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

namespace {

// What a row spoils besides the font sizes. Tests run as root, so an output
// folder that cannot be written is one whose parent is a file.
enum class Spoiled { Nothing, HzkIsAFolder, OutputFolderUnderAFile, LastOutputIsAFolder };

struct Refusal {
    QString text;
    CellMode mode;
    QString message; // %1 = the font folder, %2 = the output folder
    qint64 ascSize = 4096; // -1: no file
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
        const CellMode m16 = CellMode::Cell16x16;
        const CellMode m8 = CellMode::Cell8x16;
        const auto row = [](const char *tag, const Refusal &refusal) { QTest::newRow(tag) << refusal; };
        const QString notInLibrary = QStringLiteral(
            "字库中没有以下字符的字模（只能取模GB2312汉字、全角符号和ASCII字符）：%1。请删除或替换这些字符后再取模。");
        const auto tooShort = [](const char *file, int size, const QString &what, int needed) {
            return QStringLiteral("字库文件“%1/%2”不完整：只有%3字节，而读取%4的字模需要至少%5字节。"
                                  "请换用完整的字库文件（hzk16应有261696字节，ASC16应有4096字节）后再取模。")
                .arg(QStringLiteral("%1"), QLatin1String(file), QString::number(size), what, QString::number(needed));
        };

        row("empty", {QString(), m16, QStringLiteral("你还没有输入要取模的字符！！！")});
        // Positions count a surrogate pair as one character; 丂 (8140) and 癅 (B040)
        // are double-byte characters outside GB2312.
        row("emoji and outside GB2312", {QStringLiteral("😀A丂啊癅"), m16,
            notInLibrary.arg(QStringLiteral("第1个字符“😀”、第3个字符“丂”、第5个字符“癅”"))});
        // A character outside the table leaves the characters after it alone.
        row("no-break space among valid characters", {QStringLiteral("价格\u00A0100元"), m16,
            notInLibrary.arg(QStringLiteral("第3个字符（U+00A0）"))});
        // Invisible characters and a trailing lone surrogate are named by their code.
        row("invisible and lone surrogate", {QStringLiteral("A\u200B") + QChar(0xD83D), m16,
            notInLibrary.arg(QStringLiteral("第2个字符（U+200B）、第3个字符（U+D83D）"))});
        // Code page 936 maps more than GB2312 into the same bytes: private use
        // (AAA1, A2AB, F8A1), its own additions (ⅰ A2A1, ︵ A6E0) and € (80).
        row("code page 936 beyond GB2312", {QStringLiteral("A\uE000\uE766ⅰ︵€\uE234"), m16,
            notInLibrary.arg(QStringLiteral("第2个字符（U+E000）、第3个字符（U+E766）、第4个字符“ⅰ”、"
                                            "第5个字符“︵”、第6个字符“€”、第7个字符（U+E234）"))});
        // In 8*16 a character outside GB2312 is named as not ASCII, not as Chinese.
        row("Chinese and outside GB2312 in 8*16", {QStringLiteral("ab中丂\r\n\u3000"), m8,
            QStringLiteral("8*16格式时只能取模ASCII字符，以下字符不是 ASCII 字符：第4个字符“丂”。"
                           "请删除或替换这些字符后再取模。\n")
                + QStringLiteral("8*16格式时不能取模汉字和全角字符：第3个字符“中”、第7个字符（U+3000）。"
                                 "要对汉字取模请选择16*16格式，或删除这些字符后再取模。")});
        QStringList ten; // the first ten are named, then the count
        for (int i = 1; i <= 10; ++i)
            ten << QStringLiteral("第%1个字符“😀”").arg(i);
        row("twelve emoji", {QStringLiteral("😀").repeated(12), m16,
            notInLibrary.arg(ten.join(QStringLiteral("、")) + QStringLiteral("等共12个字符"))});
        row("NUL and emoji", {QStringLiteral("😀") + QChar(0), m16,
            QStringLiteral("输入中有空字符（编码为0的控制字符），无法取模：第2个字符。请删除后再取模。\n")
                + notInLibrary.arg(QStringLiteral("第1个字符“😀”"))});
        // One past the limit (the cells test converts 1012), a line break counting two.
        row("1011 characters and a line break", {QString(1011, QLatin1Char('A')) + QStringLiteral("\r\n"), m8,
            QStringLiteral("输入的字符太多：共1013个字符，一次最多只能取模1012个字符（换行算两个字符）。请删去1个字符后再取模。")});
        // An emoji is one character, though two UTF-16 units.
        row("1006 hanzi and 7 emoji", {QString(1006, u'啊') + QStringLiteral("😀").repeated(7), m16,
            QStringLiteral("输入的字符太多：共1013个字符，一次最多只能取模1012个字符（换行算两个字符）。请删去1个字符后再取模。")});

        row("hzk16 a folder", {QStringLiteral("啊"), m16,
            QStringLiteral("无法读取字库文件“%1/hzk16”，无法取得第1个字符“啊”的字模。"
                           "请检查该文件是否完好、是否有读取权限后再取模。\n系统信息：这是文件夹，不是文件"),
            4096, -1, Spoiled::HzkIsAFolder});
        // The banner needs ASC16 even when the text is all Chinese.
        row("ASC16 missing, Chinese text", {QStringLiteral("啊"), m16,
            QStringLiteral("找不到字库文件“%1/ASC16”，无法取得横幅文字中的（空格）的字模。"
                           "请把字库文件ASC16放到文件夹“%1”中后再取模。"), -1});
        row("hzk16 one byte short for 齄", {QStringLiteral("啊齄"), m16,
            tooShort("hzk16", 261695, QStringLiteral("第2个字符“齄”"), 261696), 4096, 261695});
        // 66 records hold A, not z.
        row("ASC16 too short for an 8*16 pair", {QStringLiteral("Az"), m8,
            tooShort("ASC16", 1056, QStringLiteral("第2个字符“z”"), 1968), 66 * 16});
        row("ASC16 too short for a line break", {QStringLiteral("\r\n"), m16,
            tooShort("ASC16", 208, QStringLiteral("第1个字符（回车符）"), 224), 13 * 16});

        const QString notWritten = QStringLiteral("无法写入输出文件“%2/%3”。请检查输出文件夹是否存在、是否可写，"
                                                  "文件是否被其他程序占用，然后再取模。所有输出文件都没有改动。\n系统信息：%4");
        row("output folder under a file", {QStringLiteral("A"), m16,
            notWritten.arg(QStringLiteral("%2"), QStringLiteral("Tempchar.txt"),
                           QStringLiteral("文件夹“%2”不存在或不是文件夹")),
            4096, 261696, Spoiled::OutputFolderUnderAFile});
        // The last output written keeps the others from being replaced too.
        row("zimuo.bin a folder", {QStringLiteral("啊A"), m16,
            notWritten.arg(QStringLiteral("%2"), QStringLiteral("zimuo.bin"), QStringLiteral("这是文件夹，不是普通文件，不会被替换")),
            4096, 261696, Spoiled::LastOutputIsAFolder});
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
