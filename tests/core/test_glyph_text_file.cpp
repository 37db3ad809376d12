// hz.txt byte for byte: the tokens of both formats, the byte texts, the
// header, the data lines with their comments and line ends. The expected
// files are written out line by line from the format's rules.

#include "core/conversion_run.h"
#include "core/glyph_text.h"
#include "platform/date_time_text.h"
#include "synthetic_fonts.h"

#include <QRegularExpression>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

using namespace ledglyph;
using namespace testfonts;

namespace {

const QDateTime runTime(QDate(2008, 3, 22), QTime(21, 5, 9));

QByteArray inCodePage936(const QStringList &lines)
{
    QStringEncoder encoder("GBK");
    return encoder.encode(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
}

QStringList header(const QString &comment)
{
    return {
        QString(),
        comment + QStringLiteral("本字模是由Qorvath 点阵取模软件生成"),
        comment + QStringLiteral("软件下载地址：http://www.qorvath.test/download/ "),
        comment + QStringLiteral("www.qorvath.test ") + dateTimeText(runTime),
        QString(),
        QString(),
    };
}

} // namespace

class TestGlyphTextFile : public QObject {
    Q_OBJECT

private:
    // Fonts with a few hand-made records: 啊 rows (F0,01) with a last row
    // (0A,F5); A a first row FF and rows C0; everything else blank.
    QTemporaryDir m_handFonts;
    QTemporaryDir m_patternFonts;
    FixedClock m_clock{runTime};

    QByteArray convert(const QString &fontDir, const QString &text, const ConversionOptions &options)
    {
        QTemporaryDir out;
        ConversionRun run(fontDir, out.path(), m_clock);
        const RunOutcome outcome = run.run(text, options);
        if (outcome.kind != RunOutcome::Kind::Completed)
            qWarning() << outcome.message;
        return readFile(out.filePath(QStringLiteral("hz.txt")));
    }

private slots:
    void initTestCase()
    {
        QByteArray asc(4096, '\0');
        asc[65 * 16] = '\xFF';
        for (int row = 1; row < 16; ++row)
            asc[65 * 16 + row] = '\xC0';
        writeFile(m_handFonts.filePath(QStringLiteral("ASC16")), asc);

        QByteArray hz(261696, '\0');
        const int a = 1410 * 32;
        for (int row = 0; row < 15; ++row) {
            hz[a + 2 * row] = '\xF0';
            hz[a + 2 * row + 1] = '\x01';
        }
        hz[a + 30] = '\x0A';
        hz[a + 31] = '\xF5';
        writeFile(m_handFonts.filePath(QStringLiteral("hzk16")), hz);

        writeAsc16(m_patternFonts.path());
        writeHzk16(m_patternFonts.path());
    }

    void tokens()
    {
        const FormatTokens c51 = FormatTokens::forFormat(OutputFormat::C51);
        QCOMPARE(c51.tokComment, QStringLiteral("//"));
        QCOMPARE(c51.tokSep, QStringLiteral(","));
        QCOMPARE(c51.tokLine, QString());
        QCOMPARE(c51.tokHex, QStringLiteral("0x"));
        QCOMPARE(c51.tokHex0, QStringLiteral("0x0"));
        const FormatTokens a51 = FormatTokens::forFormat(OutputFormat::A51);
        QCOMPARE(a51.tokComment, QStringLiteral(";"));
        QCOMPARE(a51.tokSep, QStringLiteral("H,"));
        QCOMPARE(a51.tokLine, QStringLiteral("DB  "));
        QCOMPARE(a51.tokHex, QStringLiteral("0"));
        QCOMPARE(a51.tokHex0, QStringLiteral("00"));
    }

    void byteTexts_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("c51");
        QTest::addColumn<QString>("a51");
        QTest::newRow("0x00") << 0x00 << "0x00," << "000H,";
        QTest::newRow("0x0A") << 0x0A << "0x0A," << "00AH,";
        QTest::newRow("0x0F") << 0x0F << "0x0F," << "00FH,";
        QTest::newRow("0x10") << 0x10 << "0x10," << "010H,";
        QTest::newRow("0xF5") << 0xF5 << "0xF5," << "0F5H,";
        QTest::newRow("0xFF") << 0xFF << "0xFF," << "0FFH,";
    }

    void byteTexts()
    {
        QFETCH(int, value);
        QFETCH(QString, c51);
        QFETCH(QString, a51);
        QCOMPARE(byteText(static_cast<quint8>(value), FormatTokens::forFormat(OutputFormat::C51)), c51);
        QCOMPARE(byteText(static_cast<quint8>(value), FormatTokens::forFormat(OutputFormat::A51)), a51);
    }

    void twoCellC51FileExact()
    {
        const QStringList lines = header(QStringLiteral("//")) + QStringList{
            "0xF0,0x01,0xF0,0x01,0xF0,0x01,0xF0,0x01,0xF0,0x01,0xF0,0x01,0xF0,0x01,0xF0,0x01,",
            "0xF0,0x01,0xF0,0x01,0xF0,0x01,0xF0,0x01,0xF0,0x01,0xF0,0x01,0xF0,0x01,0x0A,0xF5,//啊",
            "",
            "0xFF,0x00,0xC0,0x00,0xC0,0x00,0xC0,0x00,0xC0,0x00,0xC0,0x00,0xC0,0x00,0xC0,0x00,",
            "0xC0,0x00,0xC0,0x00,0xC0,0x00,0xC0,0x00,0xC0,0x00,0xC0,0x00,0xC0,0x00,0xC0,0x00,//A",
        };
        const ConversionOptions plain{OutputFormat::C51, CellMode::Cell16x16, false, false};
        QCOMPARE(convert(m_handFonts.path(), QStringLiteral("啊A"), plain), inCodePage936(lines));
    }

    // Mirror and inversion on: 啊's row (F0,01) becomes (80,0F) then (7F,F0);
    // its last row (0A,F5) becomes (AF,50) then (50,AF); A's C0 becomes 03 then FC.
    void twoCellA51FileExact()
    {
        const QStringList lines = header(QStringLiteral(";")) + QStringList{
            "DB  000H,0FFH,0FCH,0FFH,0FCH,0FFH,0FCH,0FFH,0FCH,0FFH,0FCH,0FFH,0FCH,0FFH,0FCH,0FFH,",
            "DB  0FCH,0FFH,0FCH,0FFH,0FCH,0FFH,0FCH,0FFH,0FCH,0FFH,0FCH,0FFH,0FCH,0FFH,0FCH,0FFH,;A",
            "",
            "DB  07FH,0F0H,07FH,0F0H,07FH,0F0H,07FH,0F0H,07FH,0F0H,07FH,0F0H,07FH,0F0H,07FH,0F0H,",
            "DB  07FH,0F0H,07FH,0F0H,07FH,0F0H,07FH,0F0H,07FH,0F0H,07FH,0F0H,07FH,0F0H,050H,0AFH,;啊",
        };
        const ConversionOptions both{OutputFormat::A51, CellMode::Cell16x16, true, true};
        QCOMPARE(convert(m_handFonts.path(), QStringLiteral("A啊"), both), inCodePage936(lines));
    }

    // Pairs: A in the right bytes, B (blank) in the left; C alone in cell 1.
    void threeCharacters8x16FileExact()
    {
        const QStringList lines = header(QStringLiteral("//")) + QStringList{
            "0x00,0xFF,0x00,0xC0,0x00,0xC0,0x00,0xC0,0x00,0xC0,0x00,0xC0,0x00,0xC0,0x00,0xC0,",
            "0x00,0xC0,0x00,0xC0,0x00,0xC0,0x00,0xC0,0x00,0xC0,0x00,0xC0,0x00,0xC0,0x00,0xC0,//AB",
            "",
            "0x00,0x00,0x00,0x00,0x00,0x00,0x00,0x00,0x00,0x00,0x00,0x00,0x00,0x00,0x00,0x00,",
            "0x00,0x00,0x00,0x00,0x00,0x00,0x00,0x00,0x00,0x00,0x00,0x00,0x00,0x00,0x00,0x00,//C",
        };
        const ConversionOptions plain{OutputFormat::C51, CellMode::Cell8x16, false, false};
        QCOMPARE(convert(m_handFonts.path(), QStringLiteral("ABC"), plain), inCodePage936(lines));
    }

    void oneCellIsTwoDataLinesAndOneLineEnd()
    {
        const QStringList lines = header(QStringLiteral(";")) + QStringList{
            "DB  0FFH,000H,0C0H,000H,0C0H,000H,0C0H,000H,0C0H,000H,0C0H,000H,0C0H,000H,0C0H,000H,",
            "DB  0C0H,000H,0C0H,000H,0C0H,000H,0C0H,000H,0C0H,000H,0C0H,000H,0C0H,000H,0C0H,000H,;A",
        };
        const ConversionOptions plain{OutputFormat::A51, CellMode::Cell16x16, false, false};
        QCOMPARE(convert(m_handFonts.path(), QStringLiteral("A"), plain), inCodePage936(lines));
    }

    void dataLineWidths_data()
    {
        QTest::addColumn<int>("format");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("dataLine");
        const QString c51 = QStringLiteral("(0x[0-9A-F]{2},){16}");
        const QString a51 = QStringLiteral("DB  (0[0-9A-F]{2}H,){16}");
        QTest::newRow("C51 16*16") << int(OutputFormat::C51) << int(CellMode::Cell16x16) << c51;
        QTest::newRow("C51 8*16") << int(OutputFormat::C51) << int(CellMode::Cell8x16) << c51;
        QTest::newRow("A51 16*16") << int(OutputFormat::A51) << int(CellMode::Cell16x16) << a51;
        QTest::newRow("A51 8*16") << int(OutputFormat::A51) << int(CellMode::Cell8x16) << a51;
    }

    // Every cell: a line of 16 byte texts, a line of 16 byte texts with the
    // comment, an empty line (except after the last cell). C51 lines are 80
    // characters of byte texts, A51 lines 84 with "DB  ".
    void dataLineWidths()
    {
        QFETCH(int, format);
        QFETCH(int, mode);
        QFETCH(QString, dataLine);
        const auto cellMode = CellMode(mode);
        const QString text = cellMode == CellMode::Cell8x16 ? QStringLiteral("Hello, 51!") : QStringLiteral("点阵 LED!");
        const ConversionOptions opts{OutputFormat(format), cellMode, true, true};
        const QString comment = format == int(OutputFormat::C51) ? QStringLiteral("//") : QStringLiteral(";");
        const int perComment = cellMode == CellMode::Cell8x16 ? 2 : 1;
        const int cells = (text.size() + perComment - 1) / perComment;

        const QByteArray bytes = convert(m_patternFonts.path(), text, opts);
        QStringDecoder decoder("GBK");
        const QString hz = decoder.decode(bytes);
        QVERIFY(hz.endsWith(QStringLiteral("\r\n")) && !hz.endsWith(QStringLiteral("\r\n\r\n")));
        const QStringList lines = hz.chopped(2).split(QStringLiteral("\r\n"));
        QCOMPARE(lines.size(), 6 + 3 * cells - 1);
        const QRegularExpression first(QStringLiteral("^%1$").arg(dataLine));
        const QRegularExpression second(QStringLiteral("^%1%2(.*)$").arg(dataLine, QRegularExpression::escape(comment)));
        for (int cell = 0; cell < cells; ++cell) {
            const QString line1 = lines.at(6 + 3 * cell);
            const QString line2 = lines.at(6 + 3 * cell + 1);
            QVERIFY2(first.match(line1).hasMatch(), qPrintable(line1));
            const QRegularExpressionMatch m = second.match(line2);
            QVERIFY2(m.hasMatch(), qPrintable(line2));
            QCOMPARE(m.captured(2), text.mid(cell * perComment, perComment));
            QCOMPARE(line1.size(), format == int(OutputFormat::C51) ? 80 : 84);
            if (cell + 1 < cells)
                QCOMPARE(lines.at(6 + 3 * cell + 2), QString());
        }
    }
};

QTEST_GUILESS_MAIN(TestGlyphTextFile)
#include "test_glyph_text_file.moc"
