// ledglyph-fontgen as a whole program: synthetic .hex and BDF fonts in, the
// exact bytes of hzk16 and ASC16 out, bad input refused without any output.

#include "tests/test_support.h"

#include <QTemporaryDir>
#include <QTest>

#include <functional>

using testsupport::readFile;

namespace {

constexpr int hzk16Size = 87 * 94 * 32;

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

} // namespace

class TestFontgen : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    int m_serial = 0;

    // Runs the generator on one font (and an optional ASCII BDF font) into a
    // fresh folder; the libraries it wrote land in hzk16 and asc16.
    testsupport::ProgramRun generate(const QString &kind, const QByteArray &font, const QByteArray &asciiBdf = {})
    {
        ++m_serial;
        const QString fontPath = m_dir.filePath(QStringLiteral("font%1.%2").arg(m_serial).arg(kind));
        testsupport::writeFile(fontPath, font);
        const QString out = m_dir.filePath(QStringLiteral("out%1").arg(m_serial));
        QStringList arguments{QStringLiteral("--") + kind, fontPath, QStringLiteral("--out-dir"), out};
        if (!asciiBdf.isEmpty()) {
            arguments << QStringLiteral("--ascii-bdf") << m_dir.filePath(QStringLiteral("ascii%1.bdf").arg(m_serial));
            testsupport::writeFile(arguments.last(), asciiBdf);
        }
        const testsupport::ProgramRun run =
            testsupport::runProgram(QStringLiteral(LEDGLYPH_APPDIR "/ledglyph-fontgen"), arguments);
        hzk16 = readFile(out + QStringLiteral("/hzk16"));
        asc16 = readFile(out + QStringLiteral("/ASC16"));
        return run;
    }

    QByteArray hzk16;
    QByteArray asc16;

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
        const testsupport::ProgramRun run = generate(
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

    void bdfGlyphsArePlacedByBoxAndBaseline()
    {
        // A 16-high font, 2 rows below the baseline: baseline between cell rows 13 and 14.
        const testsupport::ProgramRun run = generate(
            QStringLiteral("bdf"),
            "STARTFONT 2.1\nFONT -test-medium-r-normal--16-160-75-75-c-160-iso10646-1\nSIZE 16 75 75\n"
            "FONTBOUNDINGBOX 16 16 0 -2\nSTARTPROPERTIES 2\nCHARSET_REGISTRY \"ISO10646\"\nCHARSET_ENCODING \"1\"\n"
            "ENDPROPERTIES\nCHARS 5\n"
            // 啊: a 4×3 box at x 2, from 1 below the baseline up to 1 above.
            "STARTCHAR ah\nENCODING 21834\nSWIDTH 1000 0\nDWIDTH 16 0\nBBX 4 3 2 -1\nBITMAP\nF0\n90\nF0\nENDCHAR\n"
            // 齄: 20 wide at x -2: of the dots 0, 1, 2 and 17, 18, 19 only 2
            // and 17 fall inside the cell, on its first and last column.
            "STARTCHAR zha\nENCODING 40772\nDWIDTH 16 0\nBBX 20 1 -2 12\nBITMAP\nE00070\nENDCHAR\n"
            // ·: an 8-wide glyph, centred in the 16-wide cell.
            "STARTCHAR periodcentered\nENCODING 183\nDWIDTH 8 0\nBBX 2 2 3 5\nBITMAP\nC0\nC0\nENDCHAR\n"
            // A: a 3×2 box at x 1 standing on the baseline.
            "STARTCHAR A\nENCODING 65\nDWIDTH 8 0\nBBX 3 2 1 0\nBITMAP\nE0\nA0\nENDCHAR\n"
            "STARTCHAR unencoded\nENCODING -1\nDWIDTH 8 0\nBBX 1 1 0 0\nBITMAP\n80\nENDCHAR\nENDFONT\n");
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(hzk16.size(), hzk16Size);
        QCOMPARE(asc16.size(), 4096);
        // 啊: y 1, 0, -1 are cell rows 12, 13, 14; columns 2..5 = 0x3C / 0x24.
        QCOMPARE(hzk16.mid(45120, 32), QByteArray(24, '\0') + QByteArray("\x3C\0\x24\0\x3C", 5) + QByteArray(3, '\0'));
        // 齄: row y 12 is cell row 1.
        QCOMPARE(hzk16.mid(261664, 32), QByteArray(2, '\0') + "\x80\x01" + QByteArray(28, '\0'));
        // ·: columns 4 + 3 = 7 and 8, rows y 6 and 5 = cell rows 7 and 8.
        QCOMPARE(hzk16.mid(hzk16Offset(0xA1, 0xA4), 32), QByteArray(14, '\0') + "\x01\x80\x01\x80" + QByteArray(14, '\0'));
        // A: rows y 1 and 0 are cell rows 12 and 13; columns 1..3.
        QCOMPARE(asc16.mid('A' * 16, 16), QByteArray(12, '\0') + "\x70\x50" + QByteArray(2, '\0'));
        // The middle dot is Latin-1 0xB7 as well: 8 wide, at x 3 in the 8-wide cell.
        QCOMPARE(asc16.mid(0xB7 * 16, 16), QByteArray(7, '\0') + "\x18\x18" + QByteArray(7, '\0'));
        QVERIFY2(run.out.contains(QStringLiteral("hzk16：已填入 3 个位置")), qPrintable(run.out));
        QVERIFY2(run.out.contains(QStringLiteral("ASC16：已填入 2 个位置")), qPrintable(run.out));
    }

    // Codes of a GB2312.1980 font are the GB2312 bytes less 0x80 (啊 is 0x3021);
    // a 12-high ASCII font is centred vertically: two blank rows above.
    void gb2312BdfAndSeparateAsciiFont()
    {
        const QByteArray properties = "STARTPROPERTIES 2\nCHARSET_REGISTRY \"%1\"\nCHARSET_ENCODING \"%2\"\nENDPROPERTIES\n";
        const testsupport::ProgramRun run = generate(
            QStringLiteral("bdf"),
            "STARTFONT 2.1\nFONTBOUNDINGBOX 16 16 0 -2\n" + QByteArray(properties).replace("%1", "GB2312.1980").replace("%2", "0")
                + "CHARS 1\nSTARTCHAR 3021\nENCODING 12321\nDWIDTH 16 0\nBBX 16 1 0 13\nBITMAP\n8001\nENDCHAR\nENDFONT\n",
            "STARTFONT 2.1\nFONTBOUNDINGBOX 8 12 0 -2\n" + QByteArray(properties).replace("%1", "ISO8859").replace("%2", "1")
                + "CHARS 1\nSTARTCHAR A\nENCODING 65\nDWIDTH 8 0\nBBX 8 12 0 -2\nBITMAP\n"
                  "01\n00\n00\n00\n00\n00\n00\n00\n00\n00\n00\n80\nENDCHAR\nENDFONT\n");
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(hzk16.mid(45120, 32), "\x80\x01" + QByteArray(30, '\0'));
        QCOMPARE(asc16.mid('A' * 16, 16), QByteArray(2, '\0') + '\x01' + QByteArray(10, '\0') + '\x80' + QByteArray(2, '\0'));
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
        const QByteArray head = "STARTFONT 2.1\nFONTBOUNDINGBOX 8 16 0 -2\nCHARS 1\n";
        row("bdf not a font", bdf, "hello\n", 1, "STARTFONT");
        row("bdf too few rows", bdf, head + "STARTCHAR A\nENCODING 65\nBBX 8 2 0 0\nBITMAP\nFF\nENDCHAR\nENDFONT\n", 1,
            "点阵有 1 行");
        row("bdf short row", bdf, head + "STARTCHAR A\nENCODING 65\nBBX 16 1 0 0\nBITMAP\nFF\nENDCHAR\nENDFONT\n", 1,
            "点阵行");
        row("bdf truncated", bdf, head + "STARTCHAR A\nENCODING 65\nBBX 8 1 0 0\nBITMAP\nFF\n", 1, "ENDCHAR");
        row("bdf no bounding box", bdf, "STARTFONT 2.1\nCHARS 0\nENDFONT\n", 1, "FONTBOUNDINGBOX");
        row("bdf other charset", bdf,
            "STARTFONT 2.1\nFONTBOUNDINGBOX 8 16 0 -2\nSTARTPROPERTIES 2\nCHARSET_REGISTRY \"KOI8\"\n"
            "CHARSET_ENCODING \"R\"\nENDPROPERTIES\nCHARS 0\nENDFONT\n", 1, "不支持的字符集 KOI8-R");
        row("bdf only unencoded", bdf, head + "STARTCHAR x\nENCODING -1\nBBX 8 1 0 0\nBITMAP\nFF\nENDCHAR\nENDFONT\n", 1,
            "没有任何带编码的字形");
        row("missing font file", "--hex|no-such.hex|--out-dir|OUT", {}, 1, "no-such.hex");
        row("no font", "--out-dir|OUT", {}, 2, "请给出 --hex 或 --bdf 之一");
        row("two fonts", "--hex|FONT|--bdf|FONT|--out-dir|OUT", good, 2, "请给出 --hex 或 --bdf 之一");
        row("no out dir", "--hex|FONT", good, 2, "缺少 --out-dir");
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
        testsupport::writeFile(fontPath, font);
        const QString out = m_dir.filePath(QStringLiteral("refused-out"));
        const testsupport::ProgramRun run = testsupport::runProgram(
            QStringLiteral(LEDGLYPH_APPDIR "/ledglyph-fontgen"),
            arguments.replace(QStringLiteral("FONT"), fontPath).replace(QStringLiteral("OUT"), out).split('|'));
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
        QCOMPARE(run.out, QString());
        QVERIFY(!QFile::exists(out + QStringLiteral("/hzk16")) && !QFile::exists(out + QStringLiteral("/ASC16")));
    }
};

QTEST_GUILESS_MAIN(TestFontgen)
#include "test_fontgen.moc"
