// ledglyph-fontgen as a whole program: synthetic .hex and BDF fonts in, the
// exact bytes of hzk16 and ASC16 out, bad input refused without any output.

#include "fontgen_process.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

constexpr int hzk16Size = 87 * 94 * 32;
constexpr int asc16Size = 256 * 16;

int hzk16Offset(int first, int second)
{
    return ((first - 0xA1) * 94 + (second - 0xA1)) * 32;
}

// A Unifont .hex line for a 16-wide glyph whose row r is (left(r), right(r)).
QByteArray wideHexLine(const char *code, quint8 (*left)(int), quint8 (*right)(int))
{
    QByteArray bitmap;
    for (int r = 0; r < 16; ++r)
        bitmap.append(static_cast<char>(left(r))).append(static_cast<char>(right(r)));
    return QByteArray(code) + ':' + bitmap.toHex().toUpper() + '\n';
}

QByteArray narrowHexLine(const char *code, quint8 (*row)(int))
{
    QByteArray bitmap;
    for (int r = 0; r < 16; ++r)
        bitmap.append(static_cast<char>(row(r)));
    return QByteArray(code) + ':' + bitmap.toHex().toUpper() + '\n';
}

QByteArray wideRecord(quint8 (*left)(int), quint8 (*right)(int))
{
    QByteArray record;
    for (int r = 0; r < 16; ++r)
        record.append(static_cast<char>(left(r))).append(static_cast<char>(right(r)));
    return record;
}

QByteArray narrowRecord(quint8 (*row)(int))
{
    QByteArray record;
    for (int r = 0; r < 16; ++r)
        record.append(static_cast<char>(row(r)));
    return record;
}

// Distinct, non-symmetric row patterns, so that a shifted, swapped or
// misplaced record shows.
quint8 ahLeft(int r) { return static_cast<quint8>(0x10 + r); }
quint8 ahRight(int r) { return static_cast<quint8>(0xA0 + r); }
quint8 zhaLeft(int r) { return static_cast<quint8>(0xF0 - r); }
quint8 zhaRight(int r) { return static_cast<quint8>(0x01 << (r % 8)); }
quint8 spaceLeft(int r) { return r == 0 ? 0x80 : 0x00; }
quint8 spaceRight(int r) { return r == 15 ? 0x01 : 0x00; }
quint8 dotRow(int r) { return r == 7 ? 0xC3 : (r == 8 ? 0x81 : 0x00); }
quint8 letterRow(int r) { return static_cast<quint8>(0x20 + 3 * r); }
quint8 euroRow(int r) { return static_cast<quint8>(0x40 | r); }
quint8 eAcuteRow(int r) { return static_cast<quint8>(0xE0 ^ r); }
quint8 fullRow(int) { return 0xFF; }

QByteArray record(const QByteArray &library, int offset, int size)
{
    return library.mid(offset, size);
}

} // namespace

class TestFontgen : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString path(const QString &name) const { return m_dir.filePath(name); }

    // Runs the generator on one main font (and an optional ASCII font) into a fresh folder.
    FontgenRun generate(const QString &kind, const QByteArray &font, QString &outDir,
                        const QByteArray &asciiBdf = {})
    {
        static int serial = 0;
        ++serial;
        const QString fontPath = path(QStringLiteral("font%1.%2").arg(serial).arg(kind));
        writeTextFile(fontPath, font);
        outDir = path(QStringLiteral("out%1").arg(serial));
        QStringList arguments{QStringLiteral("--") + kind, fontPath, QStringLiteral("--out-dir"), outDir};
        if (!asciiBdf.isEmpty()) {
            const QString asciiPath = path(QStringLiteral("ascii%1.bdf").arg(serial));
            writeTextFile(asciiPath, asciiBdf);
            arguments << QStringLiteral("--ascii-bdf") << asciiPath;
        }
        return runFontgen(arguments);
    }

private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    void hexFontFillsTheRightRecords()
    {
        QByteArray font;
        font += wideHexLine("554A", ahLeft, ahRight);    // 啊, B0A1
        font += wideHexLine("9F44", zhaLeft, zhaRight);  // 齄, F7FE
        font += wideHexLine("3000", spaceLeft, spaceRight); // full-width space, A1A1
        font += narrowHexLine("00B7", dotRow);           // middle dot, A1A4: 8 wide
        font += narrowHexLine("0041", letterRow);
        font += narrowHexLine("0040", fullRow);          // the record before 'A'
        font += narrowHexLine("0042", fullRow);          // the record after 'A'
        font += narrowHexLine("000D", fullRow);          // control codes stay blank
        font += narrowHexLine("000A", fullRow);
        font += narrowHexLine("007F", fullRow);
        font += narrowHexLine("0085", fullRow);          // C1 control stays blank
        font += narrowHexLine("20AC", euroRow);          // € is 0x80 in code page 936
        font += narrowHexLine("00E9", eAcuteRow);        // Latin-1 é at 0xE9
        font += wideHexLine("E000", ahLeft, ahRight);    // user-defined area: never placed

        QString outDir;
        const FontgenRun run = generate(QStringLiteral("hex"), font, outDir);
        QCOMPARE(run.exitCode, 0);
        const QByteArray hzk16 = readWholeFile(outDir + QStringLiteral("/hzk16"));
        const QByteArray asc16 = readWholeFile(outDir + QStringLiteral("/ASC16"));
        QCOMPARE(hzk16.size(), hzk16Size);
        QCOMPARE(asc16.size(), asc16Size);

        QCOMPARE(hzk16Offset(0xB0, 0xA1), 45120);
        QCOMPARE(record(hzk16, 45120, 32), wideRecord(ahLeft, ahRight));
        QCOMPARE(hzk16Offset(0xF7, 0xFE), 261664);
        QCOMPARE(record(hzk16, 261664, 32), wideRecord(zhaLeft, zhaRight));
        QCOMPARE(record(hzk16, 0, 32), wideRecord(spaceLeft, spaceRight));

        // The 8-wide middle dot sits four dots in: 0xC3 → 0x0C 0x30, 0x81 → 0x08 0x10.
        QByteArray centredDot(32, '\0');
        centredDot[14] = 0x0C;
        centredDot[15] = 0x30;
        centredDot[16] = 0x08;
        centredDot[17] = 0x10;
        QCOMPARE(record(hzk16, hzk16Offset(0xA1, 0xA4), 32), centredDot);

        // é is also a GB2312 character (pinyin, A8A6): centred like the dot.
        QByteArray centredEAcute;
        for (int r = 0; r < 16; ++r)
            centredEAcute.append(static_cast<char>(eAcuteRow(r) >> 4)).append(static_cast<char>(eAcuteRow(r) << 4));
        QCOMPARE(record(hzk16, hzk16Offset(0xA8, 0xA6), 32), centredEAcute);

        // Everything else is zero: a position whose character the font lacks
        // (吖, B0A2), the user-defined zone AAA1 and all the rest.
        QByteArray others = hzk16;
        for (const int offset : {45120, 261664, 0, hzk16Offset(0xA1, 0xA4), hzk16Offset(0xA8, 0xA6)})
            others.replace(offset, 32, QByteArray(32, '\0'));
        QCOMPARE(others, QByteArray(hzk16Size, '\0'));

        QCOMPARE(record(asc16, 1040, 16), narrowRecord(letterRow));
        QCOMPARE(record(asc16, 64 * 16, 16), QByteArray(16, '\xFF'));
        QCOMPARE(record(asc16, 66 * 16, 16), QByteArray(16, '\xFF'));
        for (const int control : {13, 10, 0x7F, 0x85})
            QCOMPARE(record(asc16, control * 16, 16), QByteArray(16, '\0'));
        QCOMPARE(record(asc16, 0x80 * 16, 16), narrowRecord(euroRow));
        QCOMPARE(record(asc16, 0xE9 * 16, 16), narrowRecord(eAcuteRow));
        QCOMPARE(record(asc16, 'C' * 16, 16), QByteArray(16, '\0')); // no glyph for C: zero

        QVERIFY2(run.out.contains(QStringLiteral("hzk16：已填入 5 个位置，共 8178 个")), qPrintable(run.out));
        QVERIFY2(run.out.contains(QStringLiteral("2 个半角字形居中")), qPrintable(run.out));
        QCOMPARE(record(asc16, 0xB7 * 16, 16), narrowRecord(dotRow)); // Latin-1 middle dot, not centred
        // A, @, B, €, é, ·: six of the 192 codes that have a character.
        QVERIFY2(run.out.contains(QStringLiteral("ASC16：已填入 6 个位置，共 256 个")), qPrintable(run.out));
        QVERIFY2(run.out.contains(QStringLiteral("64 个控制码留空")), qPrintable(run.out));
        QVERIFY2(run.out.contains(QStringLiteral("186 个字符字库中没有字形")), qPrintable(run.out));
    }

    void bdfGlyphsArePlacedByBoxAndBaseline()
    {
        // A 16-high font, 2 rows below the baseline: baseline between cell rows 13 and 14.
        const QByteArray font =
            "STARTFONT 2.1\n"
            "FONT -test-medium-r-normal--16-160-75-75-c-160-iso10646-1\n"
            "SIZE 16 75 75\n"
            "FONTBOUNDINGBOX 16 16 0 -2\n"
            "STARTPROPERTIES 2\n"
            "CHARSET_REGISTRY \"ISO10646\"\n"
            "CHARSET_ENCODING \"1\"\n"
            "ENDPROPERTIES\n"
            "CHARS 5\n"
            // 啊: a 4×3 box at x 2, from 1 below the baseline up to 1 above.
            "STARTCHAR ah\nENCODING 21834\nSWIDTH 1000 0\nDWIDTH 16 0\nBBX 4 3 2 -1\nBITMAP\n"
            "F0\n90\nF0\nENDCHAR\n"
            // 齄: 20 wide at x -2: of the dots 0, 1, 2 and 17, 18, 19 only 2
            // and 17 fall inside the cell, on its first and last column.
            "STARTCHAR zha\nENCODING 40772\nDWIDTH 16 0\nBBX 20 1 -2 12\nBITMAP\n"
            "E00070\nENDCHAR\n"
            // ·: an 8-wide glyph, centred in the 16-wide cell.
            "STARTCHAR periodcentered\nENCODING 183\nDWIDTH 8 0\nBBX 2 2 3 5\nBITMAP\n"
            "C0\nC0\nENDCHAR\n"
            // A: a 3×2 box at x 1 standing on the baseline.
            "STARTCHAR A\nENCODING 65\nDWIDTH 8 0\nBBX 3 2 1 0\nBITMAP\n"
            "E0\nA0\nENDCHAR\n"
            "STARTCHAR unencoded\nENCODING -1\nDWIDTH 8 0\nBBX 1 1 0 0\nBITMAP\n80\nENDCHAR\n"
            "ENDFONT\n";
        QString outDir;
        const FontgenRun run = generate(QStringLiteral("bdf"), font, outDir);
        QCOMPARE(run.exitCode, 0);
        const QByteArray hzk16 = readWholeFile(outDir + QStringLiteral("/hzk16"));
        const QByteArray asc16 = readWholeFile(outDir + QStringLiteral("/ASC16"));
        QCOMPARE(hzk16.size(), hzk16Size);
        QCOMPARE(asc16.size(), asc16Size);

        // 啊: y 1, 0, -1 are cell rows 12, 13, 14; columns 2..5 = 0x3C / 0x24.
        QByteArray ah(32, '\0');
        ah[24] = 0x3C;
        ah[26] = 0x24;
        ah[28] = 0x3C;
        QCOMPARE(record(hzk16, 45120, 32), ah);

        // 齄: row y 12 is cell row 1.
        QByteArray zha(32, '\0');
        zha[2] = '\x80';
        zha[3] = 0x01;
        QCOMPARE(record(hzk16, 261664, 32), zha);

        // ·: columns 4 + 3 = 7 and 8, rows y 6 and 5 = cell rows 7 and 8.
        QByteArray dot(32, '\0');
        dot[14] = 0x01;
        dot[15] = 0x80;
        dot[16] = 0x01;
        dot[17] = 0x80;
        QCOMPARE(record(hzk16, hzk16Offset(0xA1, 0xA4), 32), dot);

        // A: rows y 1 and 0 are cell rows 12 and 13; columns 1..3.
        QByteArray letter(16, '\0');
        letter[12] = 0x70;
        letter[13] = 0x50;
        QCOMPARE(record(asc16, 1040, 16), letter);
        // The middle dot is Latin-1 0xB7 as well: 8 wide, at x 3 in the 8-wide cell.
        QByteArray latinDot(16, '\0');
        latinDot[7] = 0x18;
        latinDot[8] = 0x18;
        QCOMPARE(record(asc16, 0xB7 * 16, 16), latinDot);
        QVERIFY2(run.out.contains(QStringLiteral("hzk16：已填入 3 个位置")), qPrintable(run.out));
        QVERIFY2(run.out.contains(QStringLiteral("ASC16：已填入 2 个位置")), qPrintable(run.out));
    }

    void gb2312BdfAndSeparateAsciiFont()
    {
        // Codes of a GB2312.1980 font are the GB2312 bytes less 0x80: 啊 is 0x3021.
        const QByteArray hanzi =
            "STARTFONT 2.1\nFONTBOUNDINGBOX 16 16 0 -2\n"
            "STARTPROPERTIES 2\nCHARSET_REGISTRY \"GB2312.1980\"\nCHARSET_ENCODING \"0\"\nENDPROPERTIES\n"
            "CHARS 1\n"
            "STARTCHAR 3021\nENCODING 12321\nDWIDTH 16 0\nBBX 16 1 0 13\nBITMAP\n8001\nENDCHAR\n"
            "ENDFONT\n";
        // A 12-high ASCII font is centred vertically: two blank rows above, baseline after row 11.
        const QByteArray ascii =
            "STARTFONT 2.1\nFONTBOUNDINGBOX 8 12 0 -2\n"
            "STARTPROPERTIES 2\nCHARSET_REGISTRY \"ISO8859\"\nCHARSET_ENCODING \"1\"\nENDPROPERTIES\n"
            "CHARS 1\n"
            "STARTCHAR A\nENCODING 65\nDWIDTH 8 0\nBBX 8 12 0 -2\nBITMAP\n"
            "01\n00\n00\n00\n00\n00\n00\n00\n00\n00\n00\n80\nENDCHAR\n"
            "ENDFONT\n";
        QString outDir;
        const FontgenRun run = generate(QStringLiteral("bdf"), hanzi, outDir, ascii);
        QCOMPARE(run.exitCode, 0);
        const QByteArray hzk16 = readWholeFile(outDir + QStringLiteral("/hzk16"));
        const QByteArray asc16 = readWholeFile(outDir + QStringLiteral("/ASC16"));

        QByteArray ah(32, '\0');
        ah[0] = '\x80';
        ah[1] = 0x01;
        QCOMPARE(record(hzk16, 45120, 32), ah);

        QByteArray letter(16, '\0');
        letter[2] = 0x01;
        letter[13] = '\x80';
        QCOMPARE(record(asc16, 1040, 16), letter);
    }

    void badInputIsRefusedWithoutOutput_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QByteArray>("font");
        QTest::addColumn<QString>("message");

        const QByteArray good = "0041:0000000018242442427E424242420000\n";
        QTest::newRow("hex short bitmap")
            << "hex" << good + "0042:00000000\n" << QStringLiteral("第 2 行");
        QTest::newRow("hex no colon") << "hex" << QByteArray("0041 0000\n") << QStringLiteral("缺少冒号");
        QTest::newRow("hex bad code")
            << "hex" << QByteArray("00G1:0000000018242442427E424242420000\n") << QStringLiteral("码位");
        QTest::newRow("hex not hex digits")
            << "hex" << QByteArray("0041:000000001824244242ZE424242420000\n") << QStringLiteral("点阵");
        QTest::newRow("hex duplicate") << "hex" << good + good << QStringLiteral("重复");
        QTest::newRow("hex empty") << "hex" << QByteArray("\n\n") << QStringLiteral("没有任何字形");

        const QByteArray head = "STARTFONT 2.1\nFONTBOUNDINGBOX 8 16 0 -2\nCHARS 1\n";
        QTest::newRow("bdf not a font") << "bdf" << QByteArray("hello\n") << QStringLiteral("STARTFONT");
        QTest::newRow("bdf too few rows")
            << "bdf" << head + "STARTCHAR A\nENCODING 65\nBBX 8 2 0 0\nBITMAP\nFF\nENDCHAR\nENDFONT\n"
            << QStringLiteral("点阵有 1 行");
        QTest::newRow("bdf short row")
            << "bdf" << head + "STARTCHAR A\nENCODING 65\nBBX 16 1 0 0\nBITMAP\nFF\nENDCHAR\nENDFONT\n"
            << QStringLiteral("点阵行");
        QTest::newRow("bdf truncated")
            << "bdf" << head + "STARTCHAR A\nENCODING 65\nBBX 8 1 0 0\nBITMAP\nFF\n" << QStringLiteral("ENDCHAR");
        QTest::newRow("bdf no bounding box")
            << "bdf" << QByteArray("STARTFONT 2.1\nCHARS 0\nENDFONT\n") << QStringLiteral("FONTBOUNDINGBOX");
        QTest::newRow("bdf other charset")
            << "bdf"
            << QByteArray("STARTFONT 2.1\nFONTBOUNDINGBOX 8 16 0 -2\nSTARTPROPERTIES 2\n"
                          "CHARSET_REGISTRY \"KOI8\"\nCHARSET_ENCODING \"R\"\nENDPROPERTIES\nCHARS 0\nENDFONT\n")
            << QStringLiteral("不支持的字符集 KOI8-R");
        QTest::newRow("bdf only unencoded")
            << "bdf" << head + "STARTCHAR x\nENCODING -1\nBBX 8 1 0 0\nBITMAP\nFF\nENDCHAR\nENDFONT\n"
            << QStringLiteral("没有任何带编码的字形");
    }

    void badInputIsRefusedWithoutOutput()
    {
        QFETCH(QString, kind);
        QFETCH(QByteArray, font);
        QFETCH(QString, message);
        QString outDir;
        const FontgenRun run = generate(kind, font, outDir);
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
        QVERIFY(run.out.isEmpty());
        QVERIFY(!QFile::exists(outDir + QStringLiteral("/hzk16")));
        QVERIFY(!QFile::exists(outDir + QStringLiteral("/ASC16")));
    }

    void badCommandLineIsAUsageError_data()
    {
        QTest::addColumn<QStringList>("arguments");
        const QString font = QStringLiteral("font.hex");
        const QString out = QStringLiteral("out");
        QTest::newRow("no font") << QStringList{QStringLiteral("--out-dir"), out};
        QTest::newRow("two fonts") << QStringList{QStringLiteral("--hex"), font, QStringLiteral("--bdf"), font,
                                                  QStringLiteral("--out-dir"), out};
        QTest::newRow("no out dir") << QStringList{QStringLiteral("--hex"), font};
        QTest::newRow("unknown option")
            << QStringList{QStringLiteral("--hex"), font, QStringLiteral("--out-dir"), out, QStringLiteral("--x")};
        QTest::newRow("stray argument")
            << QStringList{QStringLiteral("--hex"), font, QStringLiteral("--out-dir"), out, QStringLiteral("extra")};
    }

    void badCommandLineIsAUsageError()
    {
        QFETCH(QStringList, arguments);
        for (QString &argument : arguments) {
            if (argument == QLatin1String("out"))
                argument = path(QStringLiteral("usage-out"));
        }
        const FontgenRun run = runFontgen(arguments);
        QCOMPARE(run.exitCode, 2);
        QVERIFY(run.err.contains(QStringLiteral("--out-dir"))); // the usage text follows the problem
        QVERIFY(!QFile::exists(path(QStringLiteral("usage-out"))));
    }

    void missingFontFileIsNamed()
    {
        const QString missing = path(QStringLiteral("no-such.hex"));
        const QString outDir = path(QStringLiteral("missing-out"));
        const FontgenRun run = runFontgen({QStringLiteral("--hex"), missing, QStringLiteral("--out-dir"), outDir});
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains(missing), qPrintable(run.err));
        QVERIFY(!QFile::exists(outDir + QStringLiteral("/hzk16")));
    }
};

QTEST_GUILESS_MAIN(TestFontgen)
#include "test_fontgen.moc"
