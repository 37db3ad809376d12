// Completed conversion runs end to end. On synthetic font libraries: the
// cells of zimuo.bin in both modes with every option, the banner placement,
// the spare cells and the final byte, the completion count, Tempchar.txt, the
// longest text, the recorded outputs of random texts in every setting, and
// runs that follow earlier ones. On hand-made records: hz.txt byte for byte
// against files written out by hand from the format's rules (header, byte
// texts of both formats, data lines with their comments and line ends, raw
// line breaks in comments), kept in expected/.

#include "core/conversion_run.h"
#include "platform/code_page_936.h"
#include "platform/gb2312_table.h"
#include "platform/date_time_text.h"
#include "synthetic_fonts.h"
#include "tests/support/test_time.h"

#include <QCryptographicHash>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

#include <random>

using namespace ledglyph;
using namespace ledglyph::test;

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

} // namespace

class TestConversionRun : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_fonts;
    // Hand-made records: 啊 rows (F0,01) with a last row (0F,10), the two
    // sides of the one-digit/two-digit edge; A a first row FF and rows C0;
    // every other record blank.
    QTemporaryDir m_handMadeFonts;
    std::unique_ptr<QTemporaryDir> m_out;
    FixedClock m_clock{testTime()};

    QByteArray output(const char *name) const { return readFile(m_out->filePath(QLatin1String(name))); }

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

    void init() { m_out = std::make_unique<QTemporaryDir>(); }

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
        const RunOutcome outcome = ConversionRun(m_fonts.path(), m_out->path(), m_clock).run(text, options);
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
        ConversionRun(m_handMadeFonts.path(), m_out->path(), m_clock).run(text, options);
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
        ConversionRun run(m_fonts.path(), m_out->path(), m_clock);
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
        QTemporaryDir fonts;
        writeFonts(fonts.path(), 4096, -1);
        ConversionRun run(fonts.path(), m_out->path(), m_clock);
        const ConversionOptions plain{.invert = false, .mirror = false};
        QCOMPARE(run.run(QStringLiteral("啊"), plain).kind, RunOutcome::Kind::Refused); // no hzk16 yet
        writeFonts(fonts.path(), -1);
        QCOMPARE(run.run(QStringLiteral("啊"), plain).kind, RunOutcome::Kind::Completed);

        writeFile(fonts.filePath(QStringLiteral("ASC16")), QByteArray(4096, '\x5A')); // same size
        QFile asc(fonts.filePath(QStringLiteral("ASC16")));
        QVERIFY(asc.open(QIODevice::ReadWrite));
        QVERIFY(asc.setFileTime(QDateTime::currentDateTime().addSecs(60), QFileDevice::FileModificationTime));
        asc.close();
        QCOMPARE(run.run(QStringLiteral("A"), plain).kind, RunOutcome::Kind::Completed);
        QCOMPARE(output("zimuo.bin").left(2), QByteArray("\x5A\0", 2));
    }
};

QTEST_GUILESS_MAIN(TestConversionRun)
#include "test_conversion_run.moc"
