// ledglyph-fontgen as a whole program: synthetic .hex and BDF fonts (and the
// BDF's PCF twins, made with bdftopcf) in, the exact bytes of hzk16 and ASC16
// out; an installed CJK TrueType font fills every GB2312 position with
// glyphs of the right shape; bad input is refused without any output. And
// what the build lays out in the program folder with the tools: the font
// libraries made from GNU Unifont and the help text in code page 936, whose
// tool names a character it cannot convert by its code.

#include "platform/code_page_936.h"
#include "tests/support/test_files.h"

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

using namespace ledglyph::test;
using namespace Qt::StringLiterals;

namespace {

constexpr int hzk16Size = 87 * 94 * 32;
const QString fontgen = QStringLiteral(LEDGLYPH_APPDIR "/ledglyph-fontgen");

int hzk16Offset(int first, int second)
{
    return ((first - 0xA1) * 94 + (second - 0xA1)) * 32;
}

// `n` bytes from `first` on, `step` apart: distinct, non-symmetric rows, so
// that a shifted, swapped or misplaced record shows.
QByteArray ramp(int n, int first, int step)
{
    QByteArray bytes;
    for (int i = 0; i < n; ++i)
        bytes.append(static_cast<char>(first + step * i));
    return bytes;
}

QByteArray hexLine(const char *code, const QByteArray &bitmap)
{
    return QByteArray(code) + ':' + bitmap.toHex().toUpper() + '\n';
}

// A BDF 2.1 font of the given charset and glyphs ("STARTCHAR … ENDCHAR" texts);
// its ascent and descent (which bdftopcf needs) follow the bounding box.
QByteArray bdfFont(const QByteArray &registry, const QByteArray &encoding, const QByteArray &boundingBox,
                   const QList<QByteArray> &glyphs)
{
    const QList<QByteArray> box = boundingBox.split(' ');
    const int descent = -box.at(3).toInt();
    return "STARTFONT 2.1\nFONT -test-fixed-medium-r-normal--16-160-75-75-c-160-" + registry + '-' + encoding
        + "\nSIZE 16 75 75\nFONTBOUNDINGBOX " + boundingBox + "\nSTARTPROPERTIES 4\nCHARSET_REGISTRY \"" + registry
        + "\"\nCHARSET_ENCODING \"" + encoding + "\"\nFONT_ASCENT " + QByteArray::number(box.at(1).toInt() - descent)
        + "\nFONT_DESCENT " + QByteArray::number(descent) + "\nENDPROPERTIES\nCHARS "
        + QByteArray::number(glyphs.size()) + '\n' + glyphs.join() + "ENDFONT\n";
}

QByteArray bdfGlyph(const char *name, int encoding, const char *box, const QByteArray &rows, int advance = 16)
{
    return QByteArray("STARTCHAR ") + name + "\nENCODING " + QByteArray::number(encoding) + "\nSWIDTH "
        + QByteArray::number(advance * 1000 / 16) + " 0\nDWIDTH " + QByteArray::number(advance) + " 0\nBBX " + box
        + "\nBITMAP\n" + rows + "ENDCHAR\n";
}

// The smallest rectangle holding every lit dot of a 16×16 record (dot i:
// row i / 16, column i % 16 from the left).
QRect litArea(const QByteArray &record)
{
    QRect area;
    for (int i = 0; i < 16 * 16; ++i) {
        if (quint8(record.at(i / 8)) & (0x80 >> (i % 8)))
            area |= QRect(i % 16, i / 16, 1, 1);
    }
    return area;
}

// A run that is refused: its arguments (separated by |, FONT and OUT filled
// in), the font file's bytes, the exit code and a part of the message.
struct Refusal {
    QString arguments = u"--hex|FONT|--out-dir|OUT"_s;
    QByteArray font = {};
    int exitCode = 1;
    QString message;
};

} // namespace

Q_DECLARE_METATYPE(Refusal)

class TestFontgen : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    int m_serial = 0;
    QByteArray hzk16;
    QByteArray asc16;

    QString writeFont(const QString &kind, const QByteArray &font)
    {
        const QString path = m_dir.filePath(QStringLiteral("font%1.%2").arg(++m_serial).arg(kind));
        writeFile(path, font);
        return path;
    }

    // Runs the generator with `arguments`, an output folder and `input` on its
    // standard input; the libraries it wrote land in hzk16 and asc16.
    ProgramRun generateFrom(QStringList arguments, const QByteArray &input = {})
    {
        const QString out = m_dir.filePath(QStringLiteral("out%1").arg(++m_serial));
        arguments << QStringLiteral("--out-dir") << out;
        const ProgramRun run = runProgram(fontgen, arguments, {}, {}, input);
        hzk16 = readFile(out + QStringLiteral("/hzk16"));
        asc16 = readFile(out + QStringLiteral("/ASC16"));
        return run;
    }

    // The BDF as PCF, made by X11's own converter, with its gzipped twin
    // (the same name and .gz) beside it, and one of two gzip members (.2.gz).
    QString pcfTwins(const QString &bdfPath)
    {
        const QString pcf = bdfPath + QStringLiteral(".pcf");
        const QString script = QStringLiteral("bdftopcf -o \"$1\" \"$2\" && gzip -kf \"$1\" && "
                                              "{ head -c 100 \"$1\" | gzip; tail -c +101 \"$1\" | gzip; } > \"$1.2.gz\"");
        if (QProcess::execute(QStringLiteral("sh"), {QStringLiteral("-c"), script, QStringLiteral("sh"), pcf, bdfPath}) != 0)
            qFatal("bdftopcf (Debian package xfonts-utils) or gzip failed");
        return pcf;
    }

private slots:
    // Every record is compared: a shifted, swapped or misplaced one shows.
    // The font comes through a pipe: a stream has no size to go by, it is
    // read to its end.
    void hexFontFillsTheRightRecords()
    {
        const QByteArray ah = ramp(32, 0x10, 7);
        const QByteArray zha = ramp(32, 0xF0, -5);
        const QByteArray dot = QByteArray(7, '\0') + "\xC3\x81" + QByteArray(7, '\0');
        const QByteArray full(16, '\xFF');
        const QByteArray font = hexLine("554A", ah) + hexLine("9F44", zha) // 啊 B0A1, 齄 F7FE
            + hexLine("00B7", dot) // middle dot: GB2312 A1A4 (8 wide, centred) and Latin-1 B7
            + hexLine("0041", ah.left(16)) + hexLine("20AC", zha.left(16)) // € is 0x80 in code page 936
            + hexLine("000D", full) + hexLine("000A", full) + hexLine("007F", full) + hexLine("0085", full)
            + hexLine("E000", ah); // user-defined area: never placed
        const ProgramRun run = generateFrom({QStringLiteral("--hex"), QStringLiteral("/dev/stdin")}, font);
        QCOMPARE(run.exitCode, 0);
        // 8-wide glyphs sit four dots in: 0xC3 → 0x0C 0x30, 0x81 → 0x08 0x10.
        QByteArray expectedHzk16(hzk16Size, '\0');
        expectedHzk16.replace(45120, 32, ah).replace(261664, 32, zha);
        QCOMPARE(hzk16, expectedHzk16.replace(hzk16Offset(0xA1, 0xA4) + 14, 4, "\x0C\x30\x08\x10"));
        // Control codes stay blank although the font has glyphs for them: a
        // typed line break converts to blank cells. The middle dot is not
        // centred in its own 8-wide cell.
        QByteArray expectedAsc16(4096, '\0');
        expectedAsc16.replace('A' * 16, 16, ah.left(16)).replace(0x80 * 16, 16, zha.left(16));
        QCOMPARE(asc16, expectedAsc16.replace(0xB7 * 16, 16, dot));
        // A, € and ·: three of the 192 codes that have a character.
        QCOMPARE(run.out, QStringLiteral("hzk16：已填入 3 个位置，共 8178 个（733 个位置没有字符；7442 个字符字库中没有字形：U+3000 "
                                         "U+3001 U+3002 U+02C9 U+02C7 U+00A8 U+3003 U+3005 U+2014 U+FF5E …；1 个半角字形居中）\n"
                                         "ASC16：已填入 3 个位置，共 256 个（64 个控制码留空；189 个字符字库中没有字形：U+0020 "
                                         "U+0021 U+0022 U+0023 U+0024 U+0025 U+0026 U+0027 U+0028 U+0029 …）\n"));
    }

    // The hanzi reach from 1 below the baseline to 11 above it: 12 rows,
    // centred in the cell's 16, so the baseline lies between cell rows 12 and
    // 13 for every glyph (the font's own 18-row bounding box is not used).
    // The same font as PCF, gzipped PCF (one gzip member or two) and through
    // a pipe (named /dev/stdin or -) gives the same libraries.
    void bdfGlyphsArePlacedByTheirHanzisReach()
    {
        const QString bdf = writeFont(
            QStringLiteral("bdf"),
            bdfFont("ISO10646", "1", "16 18 0 -3",
                    {// 啊: a 4×3 box at x 2, from 1 below the baseline up to 1 above.
                     bdfGlyph("ah", 0x554A, "4 3 2 -1", "F0\n90\nF0\n"),
                     // 齄: 20 wide at x -2, 10 above the baseline: of the dots 0, 1, 2
                     // and 17, 18, 19 only 2 and 17 fall inside the cell.
                     bdfGlyph("zha", 0x9F44, "20 1 -2 10", "E00070\n"),
                     // ·: an 8-wide glyph, centred in the 16-wide cell.
                     bdfGlyph("periodcentered", 0xB7, "2 2 3 5", "C0\nC0\n", 8),
                     // A: a 3×2 box at x 1 standing on the baseline.
                     bdfGlyph("A", 'A', "3 2 1 0", "E0\nA0\n", 8),
                     bdfGlyph("unencoded", -1, "1 1 0 0", "80\n", 8)}));
        QCOMPARE(generateFrom({QStringLiteral("--bdf"), bdf}).exitCode, 0);
        // 啊: y 1, 0, -1 are cell rows 11, 12, 13; columns 2..5 = 0x3C / 0x24.
        QCOMPARE(hzk16.mid(45120, 32), QByteArray(22, '\0') + QByteArray("\x3C\0\x24\0\x3C", 5) + QByteArray(5, '\0'));
        // 齄: row y 10 is cell row 2.
        QCOMPARE(hzk16.mid(261664, 32), QByteArray(4, '\0') + "\x80\x01" + QByteArray(26, '\0'));
        // ·: columns 4 + 3 = 7 and 8, rows y 6 and 5 = cell rows 6 and 7.
        QCOMPARE(hzk16.mid(hzk16Offset(0xA1, 0xA4), 32), QByteArray(12, '\0') + "\x01\x80\x01\x80" + QByteArray(16, '\0'));
        // A: rows y 1 and 0 are cell rows 11 and 12; columns 1..3.
        QCOMPARE(asc16.mid('A' * 16, 16), QByteArray(11, '\0') + "\x70\x50" + QByteArray(3, '\0'));

        const QByteArray expected = hzk16 + asc16;
        const QString pcf = pcfTwins(bdf);
        for (const QString &font : {pcf, pcf + QStringLiteral(".gz"), pcf + QStringLiteral(".2.gz"),
                                    QStringLiteral("/dev/stdin"), QStringLiteral("-")}) {
            QCOMPARE(generateFrom({QStringLiteral("--font"), font}, readFile(bdf)).exitCode, 0);
            QCOMPARE(hzk16 + asc16, expected);
        }

        // Codes of a GB2312.1980 font are the GB2312 bytes less 0x80 (啊 is
        // 0x3021); a 12-high ASCII font is centred vertically: two blank rows above.
        const QByteArray hanzi = bdfFont("GB2312.1980", "0", "16 16 0 -2",
                                         {bdfGlyph("3021", 0x3021, "16 16 0 -2", "8001\n" + QByteArray("0000\n").repeated(14) + "FFFF\n")});
        const QByteArray ascii = bdfFont("ISO8859", "1", "8 12 0 -2",
                                         {bdfGlyph("A", 'A', "8 12 0 -2", "01\n" + QByteArray("00\n").repeated(10) + "80\n", 8)});
        QCOMPARE(generateFrom({QStringLiteral("--bdf"), writeFont(QStringLiteral("bdf"), hanzi), QStringLiteral("--ascii-font"),
                               writeFont(QStringLiteral("bdf"), ascii)}).exitCode, 0);
        QCOMPARE(hzk16.mid(45120, 32), "\x80\x01" + QByteArray(28, '\0') + "\xFF\xFF");
        QCOMPARE(asc16.mid('A' * 16, 16), QByteArray(2, '\0') + '\x01' + QByteArray(10, '\0') + '\x80' + QByteArray(2, '\0'));
    }

    void cjkTrueTypeFont_data()
    {
        QTest::addColumn<QString>("font");
        QTest::addColumn<QStringList>("reports");
        QTest::newRow("outlines: WenQuanYi Zen Hei") << QStringLiteral("/usr/share/fonts/truetype/wqy/wqy-zenhei.ttc")
                                                     << QStringList{"0 个取自字体内嵌的 16 点阵位图", "；0 个字符字库中没有字形；"};
        // The only one of the 7,445 this font lacks is the full-width macron (A3FE).
        QTest::newRow("16-pixel strike: AR PL UMing")
            << QStringLiteral("/usr/share/fonts/truetype/arphic/uming.ttc")
            << QStringList{"7615 个取自字体内嵌的 16 点阵位图", "；1 个字符字库中没有字形：U+FFE3；"};
    }

    // A whole CJK font fills every GB2312 position, hanzi with the right shapes.
    void cjkTrueTypeFont()
    {
        QFETCH(QString, font);
        QFETCH(QStringList, reports);
        if (!QFile::exists(font))
            QSKIP("CJK font not installed (scripts/setup.sh installs it)");
        const ProgramRun run = generateFrom({QStringLiteral("--font"), font});
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        for (const QString &report : reports)
            QVERIFY2(run.out.contains(report), qPrintable(run.out));
        int hanzi = 0;
        for (int offset = hzk16Offset(0xB0, 0xA1); offset < hzk16Size; offset += 32)
            hanzi += hzk16.mid(offset, 32) != QByteArray(32, '\0');
        QCOMPARE(hanzi, 6763);
        // 一 and 丨: one stroke at least 10 dots long, at most 2 thick.
        const QRect one = litArea(hzk16.mid(hzk16Offset(0xD2, 0xBB), 32));
        const QRect down = litArea(hzk16.mid(hzk16Offset(0xD8, 0xAD), 32));
        QVERIFY(one.height() <= 2 && one.width() >= 10);
        QVERIFY(down.width() <= 2 && down.height() >= 10);
    }

    // --preview alone writes the sheet only, drawn from the libraries as
    // built: at 1:1 the two sample characters the font has (a full 天 in the
    // hanzi line, a full A in the capitals) are black, and the characters
    // the font lacks are framed in red.
    void previewIsDrawnFromTheLibraries()
    {
        const QString font = writeFont(QStringLiteral("hex"), hexLine("5929", QByteArray(32, '\xFF'))
                                                                  + hexLine("0041", QByteArray(16, '\xFF')));
        const QTemporaryDir folder;
        const QString png = folder.filePath(QStringLiteral("sheet.png"));
        QCOMPARE(runProgram(fontgen, {QStringLiteral("--hex"), font, QStringLiteral("--preview"), png}, {}, folder.path()).exitCode, 0);
        QCOMPARE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{QStringLiteral("sheet.png")});
        const QImage sheet = QImage(png).convertToFormat(QImage::Format_RGB32); // rows without padding
        const auto *first = reinterpret_cast<const QRgb *>(sheet.constBits());
        const QRgb *end = first + sheet.width() * sheet.height();
        QCOMPARE(int(std::count(first, end, qRgb(0, 0, 0))), 16 * 16 + 8 * 16);
        QVERIFY(std::count(first, end, qRgb(220, 0, 0)) > 0);
    }

    // The program folder holds the generator's libraries made from GNU
    // Unifont (齄, the last record, filled; the zones GB2312 leaves empty, 10
    // to 15, zero) and the help text in code page 936 with CR LF line ends,
    // every character one of the program's own table (which test_platform
    // holds against ICU's GBK); ledglyph-cp936text, which makes it, names a
    // character it cannot convert by its code.
    void programFolderData()
    {
        const QByteArray hz = readFile(QStringLiteral(LEDGLYPH_APPDIR "/hzk16"));
        QVERIFY(hz.mid(261664, 32) != QByteArray(32, '\0'));
        QCOMPARE(hz.mid(hzk16Offset(0xAA, 0xA1), 6 * 94 * 32), QByteArray(6 * 94 * 32, '\0'));
        QVERIFY(readFile(QStringLiteral(LEDGLYPH_APPDIR "/ASC16")).mid('A' * 16, 16) != QByteArray(16, '\0'));

        const QByteArray bytes = readFile(QStringLiteral(LEDGLYPH_APPDIR "/hellp.qvx"));
        const QString text = ledglyph::cp936::decode(bytes);
        QVERIFY(!bytes.isEmpty() && !text.contains(QChar::ReplacementCharacter));
        // Every CR and every LF belongs to a CR LF pair.
        QCOMPARE(bytes.count('\r') + bytes.count('\n'), 2 * bytes.count("\r\n"));
        for (const char *needed : {"DB9", "COM1", "9600", "zimuo.bin", "打开串口", "下载完成", "LEDGLYPH_COM1"})
            QVERIFY2(text.contains(QString::fromUtf8(needed)), needed);

        const QString in = m_dir.filePath(QStringLiteral("accent.txt"));
        writeFile(in, "ab\nStraße\n");
        const ProgramRun run = runProgram(QStringLiteral(LEDGLYPH_APPDIR "/ledglyph-cp936text"),
                                          {in, m_dir.filePath(QStringLiteral("accent.qvx"))});
        QCOMPARE(run.err, QStringLiteral("ledglyph-cp936text：%1：第 2 行的字符“ß”（U+00DF）不是 ASCII 或 GB2312 字符\n").arg(in));
        QCOMPARE(run.exitCode, 1);
    }

    void refusals_data()
    {
        QTest::addColumn<Refusal>("refusal");
        const auto row = [](const char *tag, const Refusal &refusal) { QTest::newRow(tag) << refusal; };
        const QString font = u"--font|FONT|--out-dir|OUT"_s; // --bdf is another name for --font
        const QByteArray good = "0041:0000000018242442427E424242420000\n";
        row("hex short bitmap", {.font = good + "0042:00000000\n", .message = u"第 2 行：点阵应为 32 位"_s});
        row("hex not hex digits", {.font = "0041:000000001824244242ZE424242420000\n", .message = u"点阵"_s});
        row("hex no colon", {.font = "0041 0000\n", .message = u"缺少冒号"_s});
        row("hex bad code", {.font = "00G1:0000000018242442427E424242420000\n", .message = u"码位"_s});
        row("hex duplicate", {.font = good + good, .message = u"重复"_s});
        row("hex empty", {.font = "\n\n", .message = u"没有任何字形"_s});
        row("hex endless line", {.font = QByteArray(200, '0'), .message = u"第 1 行：行太长"_s});
        const QByteArray letterA = bdfGlyph("A", 'A', "8 2 0 0", "FF\n00\n", 8);
        const QByteArray validBdf = bdfFont("ISO10646", "1", "16 16 0 -2", {letterA});
        // A width near INT_MAX once sent the row check into an endless loop.
        const QByteArray hugeA = bdfGlyph("A", 'A', "2147483647 16 0 -2", QByteArray("18\n").repeated(16), 8);
        row("bdf huge width", {.arguments = font, .font = bdfFont("ISO10646", "1", "16 16 0 -2", {hugeA}),
                               .message = u"不是可以读取的字体文件"_s});
        row("bdf truncated", {.arguments = u"--bdf|FONT|--out-dir|OUT|--preview|OUT.png"_s,
                              .font = validBdf.left(validBdf.indexOf("ENDCHAR")),
                              .message = u"不是可以读取的字体文件（支持 BDF、PCF、TrueType、OpenType），或文件已损坏"_s});
        row("bdf other charset",
            {.arguments = font, .font = bdfFont("KOI8", "R", "16 16 0 -2", {letterA}), .message = u"不支持的字符集 KOI8-R"_s});
        row("bdf only unencoded",
            {.arguments = font, .font = bdfFont("ISO10646", "1", "16 16 0 -2", {bdfGlyph("x", -1, "8 1 0 0", "FF\n")}),
             .message = u"没有任何 GB2312 或单字节字符的字形"_s});
        // Trimmed from a fuzzer's find: FreeType sizes a glyph but gives it no dots (this crashed the generator).
        row("bdf glyph without dots",
            {.arguments = font,
             .font = "STARTFONT 2.1\nFONT -test-fixed-medium-r-normal--16-160-75-75-c-160-ISO10646-1\nSIZE 16 75 75\n"
                     "FONTBOUNDINGBOX 16 16 0 -3\nSTARTPROPERTIES 4\nENDPROPERTIES\nCHARS 2\n"
                     "STARTCHAR A\nENCODING 65\nBBX 8 16 0 -2\nBITMAP\nENDCHAR\n"
                     "STARTCHAR uni4E00\nENCODING 19968\nBBX 16 1R uni4E00\nENCODING 19968\nBITMAP\nENDCHAR\nENDFONT\n",
             .message = u"的字形没有点阵数据，字体文件已损坏"_s});
        row("font empty", {.arguments = font, .message = u"是空的"_s});
        const QByteArray pcfGz = readFile(pcfTwins(writeFont(QStringLiteral("bdf"), validBdf)) + QStringLiteral(".gz"));
        row("pcf.gz truncated",
            {.arguments = font, .font = pcfGz.left(pcfGz.size() / 2), .message = u"gzip 压缩数据已损坏或不完整"_s});
        QByteArray damagedGz = pcfGz;
        damagedGz[damagedGz.size() / 2] = char(damagedGz.at(damagedGz.size() / 2) ^ 0x10);
        row("pcf.gz damaged", {.arguments = font, .font = damagedGz, .message = u"gzip 压缩数据已损坏或不完整"_s});
        // A sparse file: the size limit stops the read.
        const QString huge = m_dir.filePath(QStringLiteral("huge.ttf"));
        QFile hugeFile(huge);
        QVERIFY(hugeFile.open(QIODevice::WriteOnly) && hugeFile.resize(128 * 1024 * 1024 + 1));
        row("font larger than 128 MB", {.arguments = "--font|" + huge + "|--out-dir|OUT", .message = u"超过 128 MB"_s});
        // Only standard input is read as a stream: a pipe without a writer would wait forever.
#ifdef Q_OS_UNIX
        const QString pipe = m_dir.filePath(QStringLiteral("pipe.bdf"));
        QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
        row("font a pipe", {.arguments = "--font|" + pipe + "|--out-dir|OUT", .message = u"不是普通文件"_s});
#endif
        row("preview a library",
            {.arguments = u"--hex|FONT|--out-dir|OUT|--preview|OUT/../refused-out-preview a library/hzk16"_s, .font = good,
             .exitCode = 2, .message = u"是要生成的字库文件之一"_s});
        row("face out of range", {.arguments = u"--font|FONT|--face|1|--out-dir|OUT"_s, .font = validBdf,
                                  .message = u"字体集只有 1 个字体（--face 0 到 0）"_s});
        row("missing font file",
            {.arguments = u"--hex|no-such.hex|--out-dir|OUT"_s, .message = u"无法打开字体文件 no-such.hex"_s});
        // Usage errors, with a good font.
        const auto usage = [&row, &good](const char *tag, const char *arguments, const char *message) {
            row(tag, {.arguments = QString::fromUtf8(arguments), .font = good, .exitCode = 2,
                      .message = QString::fromUtf8(message)});
        };
        usage("two fonts", "--hex|FONT|--bdf|FONT|--out-dir|OUT", "请给出 --hex 或 --font 之一");
        usage("font and bdf", "--font|FONT|--bdf|FONT|--out-dir|OUT", "--font 只能给出一次");
        usage("face with hex", "--hex|FONT|--face|0|--out-dir|OUT", "--face 只用于 --font");
        usage("face not a number", "--font|FONT|--face|-1|--out-dir|OUT", "--face 应为 0 到 65535 的整数");
        usage("no output", "--hex|FONT", "缺少 --out-dir 或 --preview");
        usage("stray argument", "--hex|FONT|--out-dir|OUT|extra", "多余的参数：extra");
    }

    // Bad input (1) and usage errors (2) are refused with a message and no output.
    void refusals()
    {
        QFETCH(Refusal, refusal);
        const QString fontPath = writeFont(QStringLiteral("refused"), refusal.font);
        const QString out = m_dir.filePath(QStringLiteral("refused-out-") + QString::fromUtf8(QTest::currentDataTag()));
        const ProgramRun run = runProgram(
            fontgen, refusal.arguments.replace(QStringLiteral("FONT"), fontPath).replace(QStringLiteral("OUT"), out).split('|'));
        QCOMPARE(run.exitCode, refusal.exitCode);
        QVERIFY2(run.err.contains(refusal.message), qPrintable(run.err));
        QCOMPARE(run.out, QString());
        QVERIFY(!QFile::exists(out) && !QFile::exists(out + QStringLiteral(".png")));
    }
};

QTEST_GUILESS_MAIN(TestFontgen)
#include "test_fontgen.moc"
