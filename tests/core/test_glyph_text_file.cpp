// hz.txt byte for byte against files written out by hand from the format's
// rules: the header, the byte texts of both formats, the data lines with their
// comments and line ends, raw line breaks in comments, and the output box text.

#include "core/conversion_run.h"
#include "platform/date_time_text.h"
#include "synthetic_fonts.h"

#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

using namespace ledglyph;
using namespace testfonts;

namespace {

const QDateTime runTime(QDate(2008, 3, 22), QTime(21, 5, 9));

QStringList header(const QString &comment)
{
    return {QString(), comment + QStringLiteral("本字模是由Qorvath 点阵取模软件生成"),
            comment + QStringLiteral("软件下载地址：http://www.qorvath.test/download/ "),
            comment + QStringLiteral("www.qorvath.test ") + dateTimeText(runTime), QString(), QString()};
}

QString times(const char *byteTexts, int n)
{
    return QString::fromUtf8(byteTexts).repeated(n);
}

} // namespace

class TestGlyphTextFile : public QObject {
    Q_OBJECT

private:
    // Hand-made records: 啊 rows (F0,01) with a last row (0F,10), the two
    // sides of the one-digit/two-digit edge; A a first row FF and rows C0;
    // every other record blank.
    QTemporaryDir m_fonts;
    FixedClock m_clock{runTime};

private slots:
    void initTestCase()
    {
        QByteArray asc(4096, '\0');
        asc.replace(65 * 16, 16, QByteArray("\xFF").append(15, '\xC0'));
        writeFile(m_fonts.filePath(QStringLiteral("ASC16")), asc);
        QByteArray hz(261696, '\0');
        hz.replace(1410 * 32, 32, QByteArray("\xF0\x01").repeated(15) + "\x0F\x10");
        writeFile(m_fonts.filePath(QStringLiteral("hzk16")), hz);
    }

    void wholeFiles_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<ConversionOptions>("options");
        QTest::addColumn<QStringList>("lines");

        // A typed line break is two cells whose comments hold the raw CR and LF.
        QTest::newRow("C51 16*16 with a line break")
            << QStringLiteral("啊\r\nA")
            << ConversionOptions{.format = OutputFormat::C51, .cellMode = CellMode::Cell16x16, .invert = false, .mirror = false}
            << header(QStringLiteral("//")) + QStringList{
                   times("0xF0,0x01,", 8), times("0xF0,0x01,", 7) + "0x0F,0x10,//啊", "",
                   times("0x00,", 16), times("0x00,", 16) + "//\r", "",
                   times("0x00,", 16), times("0x00,", 16) + "//\n", "",
                   "0xFF,0x00," + times("0xC0,0x00,", 7), times("0xC0,0x00,", 8) + "//A"};

        // Mirror and inversion: 啊's row (F0,01) becomes (80,0F) then (7F,F0);
        // its last row (0F,10) becomes (08,F0) then (F7,0F); A's C0 becomes 03 then FC.
        QTest::newRow("A51 16*16 mirrored and inverted")
            << QStringLiteral("A啊")
            << ConversionOptions{.format = OutputFormat::A51, .cellMode = CellMode::Cell16x16, .invert = true, .mirror = true}
            << header(QStringLiteral(";")) + QStringList{
                   "DB  000H,0FFH," + times("0FCH,0FFH,", 7), "DB  " + times("0FCH,0FFH,", 8) + ";A", "",
                   "DB  " + times("07FH,0F0H,", 8), "DB  " + times("07FH,0F0H,", 7) + "0F7H,00FH,;啊"};

        // Pairs, inverted: A in the right bytes, CR (blank) in the left; then LF
        // and B, the CR LF split across cells, so the comment marker is written
        // again after the LF; C alone, its left bytes never written: 0 even inverted.
        QTest::newRow("C51 8*16 inverted, odd length, split line break")
            << QStringLiteral("A\r\nBC")
            << ConversionOptions{.format = OutputFormat::C51, .cellMode = CellMode::Cell8x16, .invert = true, .mirror = false}
            << header(QStringLiteral("//")) + QStringList{
                   "0xFF,0x00," + times("0xFF,0x3F,", 7), times("0xFF,0x3F,", 8) + "//A\r", "",
                   times("0xFF,", 16), times("0xFF,", 16) + "//\n//B", "",
                   times("0x00,0xFF,", 8), times("0x00,0xFF,", 8) + "//C"};
    }

    // The file is the lines in code page 936, each ended by CR LF, with no
    // empty line at the end; the output box shows exactly that text.
    void wholeFiles()
    {
        QFETCH(QString, text);
        QFETCH(ConversionOptions, options);
        QFETCH(QStringList, lines);
        const QString expected = lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
        QTemporaryDir out;
        ConversionRun run(m_fonts.path(), out.path(), m_clock);
        const RunOutcome outcome = run.run(text, options);
        QCOMPARE(outcome.kind, RunOutcome::Kind::Completed);
        QCOMPARE(readFile(out.filePath(QStringLiteral("hz.txt"))), QByteArray(QStringEncoder("GBK").encode(expected)));
        QCOMPARE(outcome.glyphText(), expected);
    }
};

QTEST_GUILESS_MAIN(TestGlyphTextFile)
#include "test_glyph_text_file.moc"
