// ledglyph-fontgen as a whole program: synthetic .hex and BDF fonts (and the
// BDF's PCF twins, made with bdftopcf) in, the exact bytes of hzk16 and ASC16
// out; an installed CJK TrueType font fills every GB2312 position with
// glyphs of the right shape; bad input is refused without any output.

#include "tests/support/test_files.h"

#include <QDir>
#include <QProcess>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

using namespace ledglyph::test;

namespace {

constexpr int hzk16Size = 87 * 94 * 32;
const QString fontgen = QStringLiteral(LEDGLYPH_APPDIR "/ledglyph-fontgen");

int hzk16Offset(int first, int second)
{
    return ((first - 0xA1) * 94 + (second - 0xA1)) * 32;
}

// `n` bytes, byte i being byteAt(i): distinct, non-symmetric rows, so that a
// shifted, swapped or misplaced record shows.
QByteArray bytesOf(int n, const std::function<int(int)> &byteAt)
{
    QByteArray bytes;
    for (int i = 0; i < n; ++i)
        bytes.append(static_cast<char>(byteAt(i)));
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

// A record's dots: row r, column c (from the left) lit.
bool dot(const QByteArray &record, int row, int column)
{
    return (quint8(record.at(2 * row + column / 8)) & (0x80 >> (column % 8))) != 0;
}

// True when the lit dots of a 16×16 record form one stroke along rows (or
// columns): all within two adjacent lines, one of which holds a run of at
// least `length` dots (a serif at a stroke's end stays within the two lines).
bool isOneStroke(const QByteArray &record, bool horizontal, int length)
{
    int firstLine = 16;
    int lastLine = -1;
    int longestRun = 0;
    for (int line = 0; line < 16; ++line) {
        int run = 0;
        for (int i = 0; i < 16; ++i) {
            run = (horizontal ? dot(record, line, i) : dot(record, i, line)) ? run + 1 : 0;
            longestRun = std::max(longestRun, run);
            if (run > 0) {
                firstLine = std::min(firstLine, line);
                lastLine = line;
            }
        }
    }
    return lastLine >= 0 && lastLine - firstLine <= 1 && longestRun >= length;
}

// True when some blank dot cannot be reached from the cell's edge through blank dots.
bool enclosesSpace(const QByteArray &record)
{
    bool reached[16][16] = {};
    QList<QPoint> todo;
    for (int i = 0; i < 16; ++i)
        todo << QPoint(i, 0) << QPoint(i, 15) << QPoint(0, i) << QPoint(15, i);
    while (!todo.isEmpty()) {
        const QPoint p = todo.takeLast();
        if (p.x() < 0 || p.x() > 15 || p.y() < 0 || p.y() > 15 || reached[p.y()][p.x()] || dot(record, p.y(), p.x()))
            continue;
        reached[p.y()][p.x()] = true;
        todo << p + QPoint(1, 0) << p - QPoint(1, 0) << p + QPoint(0, 1) << p - QPoint(0, 1);
    }
    for (int row = 0; row < 16; ++row) {
        for (int column = 0; column < 16; ++column) {
            if (!reached[row][column] && !dot(record, row, column))
                return true;
        }
    }
    return false;
}

} // namespace

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

    // Runs the generator with `arguments` and an output folder; the libraries
    // it wrote land in hzk16 and asc16.
    ProgramRun generateFrom(QStringList arguments)
    {
        const QString out = m_dir.filePath(QStringLiteral("out%1").arg(++m_serial));
        arguments << QStringLiteral("--out-dir") << out;
        const ProgramRun run = runProgram(fontgen, arguments);
        hzk16 = readFile(out + QStringLiteral("/hzk16"));
        asc16 = readFile(out + QStringLiteral("/ASC16"));
        return run;
    }

    ProgramRun generate(const QString &kind, const QByteArray &font, const QByteArray &asciiBdf = {})
    {
        QStringList arguments{QStringLiteral("--") + kind, writeFont(kind, font)};
        if (!asciiBdf.isEmpty())
            arguments << QStringLiteral("--ascii-font") << writeFont(QStringLiteral("bdf"), asciiBdf);
        return generateFrom(arguments);
    }

    // The BDF as PCF, made by X11's own converter, optionally gzipped.
    QString pcfTwin(const QString &bdfPath, bool gzipped)
    {
        const QString pcf = bdfPath + QStringLiteral(".pcf");
        if (QProcess::execute(QStringLiteral("bdftopcf"), {QStringLiteral("-o"), pcf, bdfPath}) != 0)
            qFatal("bdftopcf failed (Debian package xfonts-utils)");
        if (!gzipped)
            return pcf;
        if (QProcess::execute(QStringLiteral("gzip"), {QStringLiteral("-f"), pcf}) != 0)
            qFatal("gzip failed");
        return pcf + QStringLiteral(".gz");
    }

    static QString installedCjkFont(const QString &path)
    {
        return QFile::exists(path) ? path : QString();
    }

    // The test BDF font of bdfGlyphsArePlacedByTheirHanzisReach.
    static QByteArray placementFont()
    {
        return bdfFont(
            "ISO10646", "1", "16 18 0 -3",
            {// 啊: a 4×3 box at x 2, from 1 below the baseline up to 1 above.
             bdfGlyph("ah", 0x554A, "4 3 2 -1", "F0\n90\nF0\n"),
             // 齄: 20 wide at x -2, 10 above the baseline: of the dots 0, 1, 2
             // and 17, 18, 19 only 2 and 17 fall inside the cell.
             bdfGlyph("zha", 0x9F44, "20 1 -2 10", "E00070\n"),
             // ·: an 8-wide glyph, centred in the 16-wide cell.
             bdfGlyph("periodcentered", 0xB7, "2 2 3 5", "C0\nC0\n", 8),
             // A: a 3×2 box at x 1 standing on the baseline.
             bdfGlyph("A", 'A', "3 2 1 0", "E0\nA0\n", 8),
             bdfGlyph("unencoded", -1, "1 1 0 0", "80\n", 8)});
    }

private slots:
    void hexFontFillsTheRightRecords()
    {
        const QByteArray ah = bytesOf(32, [](int i) { return 0x10 + 7 * i; });
        const QByteArray zha = bytesOf(32, [](int i) { return 0xF0 - 5 * i; });
        const QByteArray ideographicSpace = bytesOf(32, [](int i) { return i == 0 ? 0x80 : (i == 31 ? 0x01 : 0); });
        const QByteArray dot = bytesOf(16, [](int r) { return r == 7 ? 0xC3 : (r == 8 ? 0x81 : 0); });
        const QByteArray letter = bytesOf(16, [](int r) { return 0x20 + 3 * r; });
        const QByteArray euro = bytesOf(16, [](int r) { return 0x40 | r; });
        const QByteArray eAcute = bytesOf(16, [](int r) { return 0xE0 ^ r; });
        const QByteArray full(16, '\xFF');
        const ProgramRun run = generate(
            QStringLiteral("hex"),
            hexLine("554A", ah) + hexLine("9F44", zha) + hexLine("3000", ideographicSpace) // 啊 B0A1, 齄 F7FE, A1A1
                + hexLine("00B7", dot) // middle dot: GB2312 A1A4 (8 wide, centred) and Latin-1 B7
                + hexLine("0041", letter) + hexLine("0040", full) + hexLine("0042", full) // A and its neighbours
                + hexLine("000D", full) + hexLine("000A", full) + hexLine("007F", full) + hexLine("0085", full)
                + hexLine("20AC", euro)   // € is 0x80 in code page 936
                + hexLine("00E9", eAcute) // é: Latin-1 E9 and GB2312 pinyin A8A6
                + hexLine("E000", ah));   // user-defined area: never placed
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(hzk16.size(), hzk16Size);
        QCOMPARE(asc16.size(), 4096);

        QCOMPARE(hzk16.mid(45120, 32), ah);
        QCOMPARE(hzk16.mid(261664, 32), zha);
        QCOMPARE(hzk16.mid(0, 32), ideographicSpace);
        // 8-wide glyphs sit four dots in: 0xC3 → 0x0C 0x30, 0x81 → 0x08 0x10.
        QCOMPARE(hzk16.mid(hzk16Offset(0xA1, 0xA4), 32),
                 QByteArray(14, '\0') + "\x0C\x30\x08\x10" + QByteArray(14, '\0'));
        QCOMPARE(hzk16.mid(hzk16Offset(0xA8, 0xA6), 32),
                 bytesOf(32, [&](int i) {
                     const int row = quint8(eAcute[i / 2]);
                     return i % 2 ? (row << 4) & 0xFF : row >> 4;
                 }));
        // Everything else is zero: a position whose character the font lacks
        // (吖, B0A2), the user-defined zone AAA1 and all the rest.
        QByteArray others = hzk16;
        for (const int offset : {45120, 261664, 0, hzk16Offset(0xA1, 0xA4), hzk16Offset(0xA8, 0xA6)})
            others.replace(offset, 32, QByteArray(32, '\0'));
        QCOMPARE(others, QByteArray(hzk16Size, '\0'));

        QCOMPARE(asc16.mid('A' * 16, 16), letter);
        QCOMPARE(asc16.mid('@' * 16, 16), full);
        QCOMPARE(asc16.mid('B' * 16, 16), full);
        for (const int control : {13, 10, 0x7F, 0x85}) // a typed line break converts to blank cells
            QCOMPARE(asc16.mid(control * 16, 16), QByteArray(16, '\0'));
        QCOMPARE(asc16.mid(0x80 * 16, 16), euro);
        QCOMPARE(asc16.mid(0xE9 * 16, 16), eAcute);
        QCOMPARE(asc16.mid(0xB7 * 16, 16), dot); // not centred in its own 8-wide cell
        QCOMPARE(asc16.mid('C' * 16, 16), QByteArray(16, '\0'));

        // A, @, B, €, é, ·: six of the 192 codes that have a character.
        for (const QString &report :
             {QStringLiteral("hzk16：已填入 5 个位置，共 8178 个"), QStringLiteral("2 个半角字形居中"),
              QStringLiteral("ASC16：已填入 6 个位置，共 256 个"), QStringLiteral("64 个控制码留空"),
              QStringLiteral("186 个字符字库中没有字形")})
            QVERIFY2(run.out.contains(report), qPrintable(run.out));
    }

    // The hanzi reach from 1 below the baseline to 11 above it: 12 rows,
    // centred in the cell's 16, so the baseline lies between cell rows 12 and
    // 13 for every glyph (the font's own 18-row bounding box is not used).
    void bdfGlyphsArePlacedByTheirHanzisReach()
    {
        const ProgramRun run = generate(QStringLiteral("bdf"), placementFont());
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(hzk16.size(), hzk16Size);
        QCOMPARE(asc16.size(), 4096);
        // 啊: y 1, 0, -1 are cell rows 11, 12, 13; columns 2..5 = 0x3C / 0x24.
        QCOMPARE(hzk16.mid(45120, 32), QByteArray(22, '\0') + QByteArray("\x3C\0\x24\0\x3C", 5) + QByteArray(5, '\0'));
        // 齄: row y 10 is cell row 2.
        QCOMPARE(hzk16.mid(261664, 32), QByteArray(4, '\0') + "\x80\x01" + QByteArray(26, '\0'));
        // ·: columns 4 + 3 = 7 and 8, rows y 6 and 5 = cell rows 6 and 7.
        QCOMPARE(hzk16.mid(hzk16Offset(0xA1, 0xA4), 32), QByteArray(12, '\0') + "\x01\x80\x01\x80" + QByteArray(16, '\0'));
        // A: rows y 1 and 0 are cell rows 11 and 12; columns 1..3.
        QCOMPARE(asc16.mid('A' * 16, 16), QByteArray(11, '\0') + "\x70\x50" + QByteArray(3, '\0'));
        // The middle dot is Latin-1 0xB7 as well: 8 wide, at x 3 in the 8-wide cell.
        QCOMPARE(asc16.mid(0xB7 * 16, 16), QByteArray(6, '\0') + "\x18\x18" + QByteArray(8, '\0'));
        QVERIFY2(run.out.contains(QStringLiteral("hzk16：已填入 3 个位置")), qPrintable(run.out));
        QVERIFY2(run.out.contains(QStringLiteral("ASC16：已填入 2 个位置")), qPrintable(run.out));
    }

    // The same font as BDF, PCF, gzipped PCF and through a pipe gives the same libraries.
    void pcfTwinsAndPipesGiveTheSameLibraries()
    {
        const QString bdf = writeFont(QStringLiteral("bdf"), placementFont());
        QVERIFY(generateFrom({QStringLiteral("--bdf"), bdf}).exitCode == 0);
        const QByteArray expectedHzk16 = hzk16;
        const QByteArray expectedAsc16 = asc16;
        QCOMPARE(expectedHzk16.size(), hzk16Size);
        for (const bool gzipped : {false, true}) {
            const QString pcf = pcfTwin(bdf, gzipped);
            QCOMPARE(generateFrom({QStringLiteral("--font"), pcf}).exitCode, 0);
            QCOMPARE(hzk16, expectedHzk16);
            QCOMPARE(asc16, expectedAsc16);
        }
        // A stream has no size to go by: it is read to its end.
        for (const QString &option : {QStringLiteral("--bdf"), QStringLiteral("--hex")}) {
            const QString out = m_dir.filePath(QStringLiteral("piped") + option);
            const QByteArray font = option == QStringLiteral("--bdf") ? readFile(bdf)
                                                                       : hexLine("554A", QByteArray(32, '\x5A'));
            const ProgramRun run =
                runProgram(fontgen, {option, QStringLiteral("/dev/stdin"), QStringLiteral("--out-dir"), out}, {}, {}, font);
            QVERIFY2(run.exitCode == 0, qPrintable(run.err));
            QCOMPARE(readFile(out + QStringLiteral("/hzk16")).mid(45120, 32),
                     option == QStringLiteral("--bdf") ? expectedHzk16.mid(45120, 32) : QByteArray(32, '\x5A'));
        }
    }

    // Codes of a GB2312.1980 font are the GB2312 bytes less 0x80 (啊 is 0x3021);
    // a 12-high ASCII font is centred vertically: two blank rows above.
    void gb2312BdfAndSeparateAsciiFont()
    {
        const ProgramRun run = generate(
            QStringLiteral("bdf"),
            bdfFont("GB2312.1980", "0", "16 16 0 -2", {bdfGlyph("3021", 0x3021, "16 16 0 -2",
                                                                 "8001\n" + QByteArray("0000\n").repeated(14) + "FFFF\n")}),
            bdfFont("ISO8859", "1", "8 12 0 -2",
                    {bdfGlyph("A", 'A', "8 12 0 -2", "01\n" + QByteArray("00\n").repeated(10) + "80\n", 8)}));
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(hzk16.mid(45120, 32), "\x80\x01" + QByteArray(28, '\0') + "\xFF\xFF");
        QCOMPARE(asc16.mid('A' * 16, 16), QByteArray(2, '\0') + '\x01' + QByteArray(10, '\0') + '\x80' + QByteArray(2, '\0'));
    }

    void cjkTrueTypeFont_data()
    {
        QTest::addColumn<QString>("font");
        QTest::addColumn<QString>("glyphSource");
        QTest::addColumn<QString>("lacking");
        QTest::newRow("outlines: WenQuanYi Zen Hei")
            << installedCjkFont(QStringLiteral("/usr/share/fonts/truetype/wqy/wqy-zenhei.ttc"))
            << QStringLiteral("0 个取自字体内嵌的 16 点阵位图") << QStringLiteral("；0 个字符字库中没有字形；");
        // The only one of the 7,445 this font lacks is the full-width macron (A3FE).
        QTest::newRow("16-pixel strike: AR PL UMing")
            << installedCjkFont(QStringLiteral("/usr/share/fonts/truetype/arphic/uming.ttc"))
            << QStringLiteral("7646 个取自字体内嵌的 16 点阵位图") << QStringLiteral("；1 个字符字库中没有字形：U+FFE3；");
    }

    // A whole CJK font fills every GB2312 position, hanzi with the right shapes.
    void cjkTrueTypeFont()
    {
        QFETCH(QString, font);
        QFETCH(QString, glyphSource);
        QFETCH(QString, lacking);
        if (font.isEmpty())
            QSKIP("CJK font not installed (scripts/setup.sh installs it)");
        const ProgramRun run = generateFrom({QStringLiteral("--font"), font});
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        QVERIFY2(run.out.contains(glyphSource), qPrintable(run.out));
        QVERIFY2(run.out.contains(QStringLiteral("hzk16：已填入")) && run.out.contains(lacking), qPrintable(run.out));
        int hanzi = 0;
        for (int offset = hzk16Offset(0xB0, 0xA1); offset < hzk16Size; offset += 32)
            hanzi += hzk16.mid(offset, 32) != QByteArray(32, '\0');
        QCOMPARE(hanzi, 6763);
        QVERIFY(isOneStroke(hzk16.mid(hzk16Offset(0xD2, 0xBB), 32), true, 10));  // 一
        QVERIFY(isOneStroke(hzk16.mid(hzk16Offset(0xD8, 0xAD), 32), false, 10)); // 丨
        QVERIFY(enclosesSpace(hzk16.mid(hzk16Offset(0xBF, 0xDA), 32)));          // 口
        QVERIFY(!enclosesSpace(hzk16.mid(hzk16Offset(0xD2, 0xBB), 32)));
        QCOMPARE(asc16.size(), 4096);
        QVERIFY(asc16.mid('A' * 16, 16) != QByteArray(16, '\0'));
    }

    // --preview alone writes the sheet only, drawn from the libraries as
    // built: at 1:1 the two sample characters the font has (a full 天 in the
    // hanzi line, a full A in the capitals) are black, and the characters
    // the font lacks are framed in red.
    void previewIsDrawnFromTheLibraries()
    {
        const QString font = writeFont(QStringLiteral("hex"), hexLine("5929", QByteArray(32, '\xFF'))
                                                                  + hexLine("0041", QByteArray(16, '\xFF')));
        const QDir folder(m_dir.filePath(QStringLiteral("preview")));
        QVERIFY(folder.mkpath(QStringLiteral(".")));
        const QString png = folder.filePath(QStringLiteral("sheet.png"));
        const ProgramRun run =
            runProgram(fontgen, {QStringLiteral("--hex"), font, QStringLiteral("--preview"), png}, {},
                                    folder.path());
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(folder.entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{QStringLiteral("sheet.png")});
        const QImage sheet(png);
        QVERIFY(!sheet.isNull());
        int black = 0;
        int red = 0;
        for (int y = 0; y < sheet.height(); ++y) {
            for (int x = 0; x < sheet.width(); ++x) {
                black += sheet.pixel(x, y) == qRgb(0, 0, 0);
                red += sheet.pixel(x, y) == qRgb(220, 0, 0);
            }
        }
        QCOMPARE(black, 16 * 16 + 8 * 16);
        QVERIFY(red > 0);
    }

    void refusals_data()
    {
        QTest::addColumn<QString>("arguments"); // separated by |; FONT and OUT filled in
        QTest::addColumn<QByteArray>("font");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message");
        const auto row = [](const char *tag, const char *arguments, const QByteArray &font, int exitCode,
                            const char *message) {
            QTest::newRow(tag) << QString::fromUtf8(arguments) << font << exitCode << QString::fromUtf8(message);
        };
        const char *hex = "--hex|FONT|--out-dir|OUT";
        const char *bdf = "--bdf|FONT|--out-dir|OUT";
        const QByteArray good = "0041:0000000018242442427E424242420000\n";
        row("hex short bitmap", hex, good + "0042:00000000\n", 1, "第 2 行");
        row("hex no colon", hex, "0041 0000\n", 1, "缺少冒号");
        row("hex bad code", hex, "00G1:0000000018242442427E424242420000\n", 1, "码位");
        row("hex not hex digits", hex, "0041:000000001824244242ZE424242420000\n", 1, "点阵");
        row("hex duplicate", hex, good + good, 1, "重复");
        row("hex empty", hex, "\n\n", 1, "没有任何字形");
        row("hex line too long", hex, good + QByteArray(100000, '0') + '\n', 1, "第 2 行：行太长");
        row("hex endless line", "--hex|/dev/zero|--out-dir|OUT", {}, 1, "第 1 行：行太长");
        const QByteArray box = "FONTBOUNDINGBOX 16 16 0 -2";
        const QByteArray letterA = bdfGlyph("A", 'A', "8 2 0 0", "FF\n00\n", 8);
        const QByteArray validBdf = bdfFont("ISO10646", "1", "16 16 0 -2", {letterA});
        const char *unreadable = "不是可以读取的字体文件（支持 BDF、PCF、TrueType、OpenType），或文件已损坏";
        // A width near INT_MAX once sent the row check into an endless loop.
        row("bdf huge width", bdf,
            bdfFont("ISO10646", "1", "16 16 0 -2",
                    {bdfGlyph("A", 'A', "2147483647 16 0 -2", QByteArray("18\n").repeated(16), 8)}),
            1, unreadable);
        row("bdf truncated", "--bdf|FONT|--out-dir|OUT|--preview|OUT.png", validBdf.left(validBdf.indexOf("ENDCHAR")),
            1, unreadable);
        row("bdf not a font", bdf, "hello\n", 1, unreadable);
        row("bdf other charset", bdf, bdfFont("KOI8", "R", "16 16 0 -2", {letterA}), 1, "不支持的字符集 KOI8-R");
        row("bdf only unencoded", bdf, bdfFont("ISO10646", "1", "16 16 0 -2", {bdfGlyph("x", -1, "8 1 0 0", "FF\n")}),
            1, "没有任何 GB2312 或单字节字符的字形");
        row("font empty", bdf, {}, 1, "是空的");
        const QByteArray pcf = readFile(pcfTwin(writeFont(QStringLiteral("bdf"), validBdf), false));
        row("pcf truncated", "--font|FONT|--out-dir|OUT", pcf.left(pcf.size() / 2), 1, unreadable);
        const QByteArray pcfGz = readFile(pcfTwin(writeFont(QStringLiteral("bdf"), validBdf), true));
        const char *badGzip = "gzip 压缩数据已损坏或不完整";
        row("pcf.gz truncated", "--font|FONT|--out-dir|OUT", pcfGz.left(pcfGz.size() / 2), 1, badGzip);
        QByteArray damagedGz = pcfGz;
        damagedGz[damagedGz.size() / 2] = char(damagedGz.at(damagedGz.size() / 2) ^ 0x10);
        row("pcf.gz damaged", "--font|FONT|--out-dir|OUT", damagedGz, 1, badGzip);
        QFile trueType(QStringLiteral("/usr/share/fonts/truetype/wqy/wqy-zenhei.ttc"));
        if (trueType.open(QIODevice::ReadOnly))
            row("truetype truncated", "--font|FONT|--out-dir|OUT", trueType.read(1 << 20), 1, unreadable);
        row("font random bytes", "--font|FONT|--out-dir|OUT", bytesOf(4096, [](int i) { return (i * 7919) >> 3; }),
            1, unreadable);
        row("font endless stream", "--font|/dev/zero|--out-dir|OUT", {}, 1, "超过 128 MB");
        row("face out of range", "--font|FONT|--face|1|--out-dir|OUT", validBdf, 1, "字体集只有 1 个字体（--face 0 到 0）");
        row("missing font file", "--hex|no-such.hex|--out-dir|OUT", {}, 1, "no-such.hex");
        row("no font", "--out-dir|OUT", {}, 2, "请给出 --hex 或 --font 之一");
        row("two fonts", "--hex|FONT|--bdf|FONT|--out-dir|OUT", good, 2, "请给出 --hex 或 --font 之一");
        row("font and bdf", "--font|FONT|--bdf|FONT|--out-dir|OUT", good, 2, "--font 只能给出一次");
        row("face with hex", "--hex|FONT|--face|0|--out-dir|OUT", good, 2, "--face 只用于 --font");
        row("face not a number", "--font|FONT|--face|-1|--out-dir|OUT", good, 2, "--face 应为 0 到 65535 的整数");
        row("no output", "--hex|FONT", good, 2, "缺少 --out-dir 或 --preview");
        row("unknown option", "--hex|FONT|--out-dir|OUT|--x", good, 2, "'x'");
        row("stray argument", "--hex|FONT|--out-dir|OUT|extra", good, 2, "多余的参数：extra");
    }

    // Bad input (1) and usage errors (2) are refused with a message and no output.
    void refusals()
    {
        QFETCH(QString, arguments);
        QFETCH(QByteArray, font);
        QFETCH(int, exitCode);
        QFETCH(QString, message);
        const QString fontPath = m_dir.filePath(QStringLiteral("refused.font"));
        writeFile(fontPath, font);
        const QString out = m_dir.filePath(QStringLiteral("refused-out-") + QString::fromUtf8(QTest::currentDataTag()));
        const ProgramRun run = runProgram(
            fontgen, arguments.replace(QStringLiteral("FONT"), fontPath).replace(QStringLiteral("OUT"), out).split('|'));
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
        QCOMPARE(run.out, QString());
        QVERIFY(!QFile::exists(out) && !QFile::exists(out + QStringLiteral(".png")));
    }
};

QTEST_GUILESS_MAIN(TestFontgen)
#include "test_fontgen.moc"
