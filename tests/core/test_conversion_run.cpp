// Conversion runs end to end. Completed runs on synthetic font libraries: the
// cells of zimuo.bin in both modes with every option, the banner placement,
// the spare cells and the final byte, the completion count, Tempchar.txt, the
// longest text, the recorded outputs of random texts in every setting, and
// runs that follow earlier ones. On hand-made records: hz.txt byte for byte
// against files written out by hand from the format's rules (header, byte
// texts of both formats, data lines with their comments and line ends, raw
// line breaks in comments), kept in expected/. And runs that must not
// convert: the empty input, texts the font libraries cannot hold, too long
// texts, missing, unreadable or short font files and outputs that cannot be
// written. Each gives its message and leaves every file as it was, with no
// temporary file left behind.

#include "core/conversion_run.h"
#include "platform/code_page_936.h"
#include "platform/gb2312_table.h"
#include "platform/date_time_text.h"
#include "synthetic_fonts.h"
#include "tests/support/test_time.h"

#include <QCryptographicHash>
#include <QDir>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

#include <random>

using namespace ledglyph;
using namespace ledglyph::test;
using namespace Qt::StringLiterals;

namespace {

QByteArray inCodePage936(const QString &text)
{
    return QStringEncoder("GBK").encode(text);
}

QString randomText(std::mt19937 &random, CellMode mode)
{
    const int length = 1 + static_cast<int>(random() % 1012);
    QString text;
    while (text.size() < length) {
        const quint32 pick = random() % 10;
        if (pick == 0 && text.size() + 2 <= length) {
            text += QStringLiteral("\r\n");
        } else if (pick < 5 || mode == CellMode::Cell8x16) {
            text += QChar(static_cast<char16_t>(0x20 + random() % 95));
        } else {
            quint16 code = 0;
            do
                code = static_cast<quint16>(0xA1A1 + (random() % 87) * 256 + random() % 94);
            while (!cp936::isAssignedGb2312(static_cast<qint16>(code)));
            const char bytes[] = {char(code >> 8), char(code & 0xFF)};
            text += cp936::decode(QByteArray(bytes, 2));
        }
    }
    return text;
}

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

class TestConversionRun : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_fonts;
    // Hand-made records: 啊 rows (F0,01) with a last row (0F,10), the two
    // sides of the one-digit/two-digit edge; A a first row FF and rows C0;
    // every other record blank.
    QTemporaryDir m_handMadeFonts;
    std::unique_ptr<QTemporaryDir> m_work; // per test: its own fonts/ (empty) and out/ (with earlier outputs)
    FixedClock m_clock{testTime()};

    QString outDir() const { return m_work->filePath(QStringLiteral("out")); }
    QString fontDir() const { return m_work->filePath(QStringLiteral("fonts")); }
    QByteArray output(const char *name) const { return readFile(outDir() + u'/' + QLatin1String(name)); }

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
    void initTestCase()
    {
        writeFonts(m_fonts.path());
        QByteArray asc(4096, '\0');
        asc.replace(65 * 16, 16, QByteArray("\xFF").append(15, '\xC0'));
        writeFile(m_handMadeFonts.filePath(QStringLiteral("ASC16")), asc);
        QByteArray hz(261696, '\0');
        hz.replace(1410 * 32, 32, QByteArray("\xF0\x01").repeated(15) + "\x0F\x10");
        writeFile(m_handMadeFonts.filePath(QStringLiteral("hzk16")), hz);
    }

    void init()
    {
        m_work = std::make_unique<QTemporaryDir>();
        QVERIFY(QDir(m_work->path()).mkpath(QStringLiteral("fonts")));
        QVERIFY(QDir(m_work->path()).mkpath(QStringLiteral("out")));
        writeEarlierOutputs(outDir());
    }

    void cells_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<ConversionOptions>("options");
        QTest::addColumn<QByteArray>("textCells");
        for (const bool mirror : {false, true}) {
            for (const bool invert : {false, true}) {
                // Chinese cells fill 32 bytes (啊 record 1410, 齄 the last record
                // 8177, the full-width space record 0), single-byte ones (A, CR,
                // LF, DEL = 0x7F, the last ASCII code) the left bytes.
                QTest::addRow("16*16%s%s", mirror ? " mirror" : "", invert ? " invert" : "")
                    << QStringLiteral("啊A\r\n齄\u3000\x7F")
                    << ConversionOptions{.cellMode = CellMode::Cell16x16, .invert = invert, .mirror = mirror}
                    << hzCell(1410, mirror, invert) + ascCell16('A', mirror, invert) + ascCell16('\r', mirror, invert)
                           + ascCell16('\n', mirror, invert) + hzCell(8177, mirror, invert) + hzCell(0, mirror, invert)
                           + ascCell16(0x7F, mirror, invert);
                // An odd length, whose last cell's left bytes stay 0 even when
                // inverting, and an even one.
                const QByteArray pairs = mirror ? "xyzw" : "ABC";
                QTest::addRow("8*16 %s%s%s", pairs.constData(), mirror ? " mirror" : "", invert ? " invert" : "")
                    << QString::fromLatin1(pairs)
                    << ConversionOptions{.cellMode = CellMode::Cell8x16, .invert = invert, .mirror = mirror}
                    << pairCells(pairs, mirror, invert);
            }
        }
        QTest::newRow("8*16 a space alone")
            << QStringLiteral(" ") << ConversionOptions{.cellMode = CellMode::Cell8x16, .invert = true, .mirror = false}
            << pairCells(" ", false, true);
        QTest::newRow("16*16 the longest text, 1012 characters")
            << QString(1012, QLatin1Char('w'))
            << ConversionOptions{.cellMode = CellMode::Cell16x16, .invert = true, .mirror = true}
            << ascCell16('w', true, true).repeated(1012);
    }

    // The message counts the text cells' bytes. zimuo.bin: the text's cells,
    // then the banner right after the last cell that holds text. 16*16: a
    // final byte, which the whole-buffer inversion turns into 0xFF with the
    // ASCII cells' right bytes. 8*16: ⌊n/2⌋ spare cells and the final byte,
    // which stay 0 whatever the options. Tempchar.txt: the input in code page
    // 936 (啊 B0A1, 齄 F7FE, the full-width space A1A1) and a CR LF.
    void cells()
    {
        QFETCH(QString, text);
        QFETCH(ConversionOptions, options);
        QFETCH(QByteArray, textCells);
        const RunOutcome outcome = ConversionRun(m_fonts.path(), outDir(), m_clock).run(text, options);
        QCOMPARE(outcome.message, QStringLiteral("转换完成 共： %1个字模").arg(textCells.size()));
        const QByteArray tail = options.cellMode == CellMode::Cell16x16
                                    ? QByteArray(1, options.invert ? '\xFF' : '\0')
                                    : QByteArray(32 * (text.size() / 2) + 1, '\0');
        QCOMPARE(output("zimuo.bin"), textCells + bannerCells(options.mirror, options.invert) + tail);
        QCOMPARE(output("Tempchar.txt"), inCodePage936(text) + "\r\n");
    }

    void wholeGlyphTextFiles_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<ConversionOptions>("options");
        QTest::addColumn<QString>("expected"); // a file in expected/
        // A typed line break is two cells whose comments hold the raw CR and LF.
        QTest::newRow("C51 16*16 with a line break")
            << QStringLiteral("啊\r\nA")
            << ConversionOptions{.format = OutputFormat::C51, .cellMode = CellMode::Cell16x16, .invert = false, .mirror = false}
            << "c51_16x16_line_break.txt";
        // Mirror and inversion: 啊's row (F0,01) becomes (80,0F) then (7F,F0);
        // its last row (0F,10) becomes (08,F0) then (F7,0F); A's C0 becomes 03 then FC.
        QTest::newRow("A51 16*16 mirrored and inverted")
            << QStringLiteral("A啊")
            << ConversionOptions{.format = OutputFormat::A51, .cellMode = CellMode::Cell16x16, .invert = true, .mirror = true}
            << "a51_16x16_mirror_invert.txt";
        // Pairs, inverted: A in the right bytes, CR (blank) in the left; then LF
        // and B, the CR LF split across cells, so the comment marker is written
        // again after the LF; C alone, its left bytes never written: 0 even inverted.
        QTest::newRow("C51 8*16 inverted, odd length, split line break")
            << QStringLiteral("A\r\nBC")
            << ConversionOptions{.format = OutputFormat::C51, .cellMode = CellMode::Cell8x16, .invert = true, .mirror = false}
            << "c51_8x16_invert_split_line_break.txt";
    }

    // The expected files are code page 936 text, each line ended by CR LF, with
    // no empty line at the end; "{date}" stands for the header's date and time.
    void wholeGlyphTextFiles()
    {
        QFETCH(QString, text);
        QFETCH(ConversionOptions, options);
        QFETCH(QString, expected);
        ConversionRun(m_handMadeFonts.path(), outDir(), m_clock).run(text, options);
        QCOMPARE(output("hz.txt"), readFile(QStringLiteral(LEDGLYPH_SOURCE_DIR "/tests/core/expected/") + expected)
                                       .replace("{date}", inCodePage936(dateTimeText(testTime()))));
    }

    // The outputs of random texts in every mode, format and invert/mirror
    // setting stay byte for byte what they were when they were recorded: a
    // fingerprint (SHA-256) of hz.txt, zimuo.bin and Tempchar.txt of four
    // texts per setting. The texts come from a fixed seed, mixing ASCII, line
    // breaks and GB2312 characters (ASCII only in 8*16 mode), with lengths up
    // to the 1012 limit. A failure names every setting whose outputs changed.
    // All runs go through one ConversionRun, each setting's texts after a
    // refused run, so nothing of an earlier run, completed or refused, in any
    // format and mode, may leak into a later one.
    void sameBytesAsRecorded()
    {
        // The first 16 hex digits of each SHA-256. A line per format and cell
        // mode; in each line invert and mirror, invert, mirror, neither.
        const char *const fingerprints[] = {
            "a5a9648f1118a131", "4d886a8990f32cbe", "41fea1ab67bd3aad", "3d9a28f38e7a3486", // C51 16*16
            "867345b61f44572e", "838aeae042fd5d80", "c9a0f68947b9ce5a", "16c3cf700e83d762", // C51 8*16
            "7f15fd2f6ea2f4df", "efb8a4d4da6b819b", "d06d71304c5d59bf", "a70fdbb20dcc2926", // A51 16*16
            "fcedc6075b854b55", "4da40e2f711fe399", "870bd0096a4390e4", "79fd0d767f31b5c9", // A51 8*16
        };
        QStringList changed;
        ConversionRun run(m_fonts.path(), outDir(), m_clock);
        for (int i = 0; i < 16; ++i) {
            const ConversionOptions options{.format = i & 8 ? OutputFormat::A51 : OutputFormat::C51,
                                            .cellMode = i & 4 ? CellMode::Cell8x16 : CellMode::Cell16x16,
                                            .invert = !(i & 2),
                                            .mirror = !(i & 1)};
            std::mt19937 random(2008);
            QCryptographicHash hash(QCryptographicHash::Sha256);
            QCOMPARE(run.run(QStringLiteral("AB😀"), options).kind, RunOutcome::Kind::Refused);
            for (int t = 0; t < 4; ++t) {
                QCOMPARE(run.run(randomText(random, options.cellMode), options).kind, RunOutcome::Kind::Completed);
                for (const char *name : {"hz.txt", "zimuo.bin", "Tempchar.txt"})
                    hash.addData(output(name));
            }
            if (hash.result().toHex().left(16) != fingerprints[i])
                changed << QStringLiteral("%1 %2 invert=%3 mirror=%4")
                               .arg(i & 8 ? "A51" : "C51", i & 4 ? "8*16" : "16*16")
                               .arg(options.invert)
                               .arg(options.mirror);
        }
        QCOMPARE(changed.join(QStringLiteral(", ")), QString());
    }

    // A run keeps its font libraries but reads one again when its file
    // appeared or changed since the last run.
    void changedFontLibrariesAreReadAgain()
    {
        writeFonts(fontDir(), 4096, -1);
        ConversionRun run(fontDir(), outDir(), m_clock);
        const ConversionOptions plain{.invert = false, .mirror = false};
        QCOMPARE(run.run(QStringLiteral("啊"), plain).kind, RunOutcome::Kind::Refused); // no hzk16 yet
        writeFonts(fontDir(), -1);
        QCOMPARE(run.run(QStringLiteral("啊"), plain).kind, RunOutcome::Kind::Completed);

        writeFile(fontDir() + QStringLiteral("/ASC16"), QByteArray(4096, '\x5A')); // same size
        QFile asc(fontDir() + QStringLiteral("/ASC16"));
        QVERIFY(asc.open(QIODevice::ReadWrite));
        QVERIFY(asc.setFileTime(QDateTime::currentDateTime().addSecs(60), QFileDevice::FileModificationTime));
        asc.close();
        QCOMPARE(run.run(QStringLiteral("A"), plain).kind, RunOutcome::Kind::Completed);
        QCOMPARE(output("zimuo.bin").left(2), QByteArray("\x5A\0", 2));
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
        const RunOutcome outcome = ConversionRun(fontDir(), out, m_clock).run(refusal.text, {.cellMode = refusal.mode});
        QCOMPARE(outcome.kind, refusal.text.isEmpty() ? RunOutcome::Kind::EmptyInput : RunOutcome::Kind::Refused);
        QCOMPARE(outcome.message, QString(refusal.message)
                                      .replace(QStringLiteral("%1"), QDir::toNativeSeparators(fontDir()))
                                      .replace(QStringLiteral("%2"), QDir::toNativeSeparators(out)));
        QCOMPARE(outputFolderContents(), before);
    }
};

QTEST_GUILESS_MAIN(TestConversionRun)
#include "test_conversion_run.moc"
