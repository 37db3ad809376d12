// hz.txt in C51 format compiles with SDCC as the initializer of a code array,
// and the compiled array holds exactly the glyph bytes of the run.

#include "core/conversion_run.h"
#include "synthetic_fonts.h"
#include "tests/support/test_time.h"

#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace ledglyph;
using namespace ledglyph::test;

namespace {

// The array bytes as SDCC lays them out: ".db #0x7e ; 126" lines after "_hz:".
QByteArray arrayBytesIn(const QString &assembly)
{
    static const QRegularExpression array(QStringLiteral("\\n_hz:\\n((?:\\s*\\.db #0x[0-9a-f]{2}.*\\n)*)"));
    static const QRegularExpression value(QStringLiteral("#0x([0-9a-f]{2})"));
    QByteArray bytes;
    for (const QRegularExpressionMatch &m : value.globalMatch(array.match(assembly).captured(1)))
        bytes.append(static_cast<char>(m.captured(1).toUInt(nullptr, 16)));
    return bytes;
}

} // namespace

class TestSdccCompile : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_fonts;
    QString m_sdcc;
    FixedClock m_clock{testTime()};

private slots:
    void initTestCase()
    {
        m_sdcc = QStandardPaths::findExecutable(QStringLiteral("sdcc"));
        if (m_sdcc.isEmpty())
            QFAIL("sdcc is not installed: install the Debian package sdcc (apt-get install sdcc)");
        writeFonts(m_fonts.path());
    }

    void compiles_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<CellMode>("mode");
        QTest::addColumn<int>("textBytes");
        // Comments with Chinese characters (code page 936 bytes), a raw CR, a
        // raw LF, a backslash (which splices the empty line after its comment)
        // and a backslash ending the file.
        QTest::newRow("16*16 mixed with a line break")
            << QStringLiteral("点阵LED\r\n显示 a\\b\\") << CellMode::Cell16x16 << 14 * 32;
        // CR LF as one pair: the comment holds both and ends with the line. Odd length.
        QTest::newRow("8*16 with a line break as one pair") << QStringLiteral("AB\r\nCD\\") << CellMode::Cell8x16 << 4 * 32;
        // A line break split across two pairs: the next comment starts with the
        // raw LF; the comment marker written again after it keeps the following
        // character out of the source, where a digit would be an extra array
        // element that only the size check catches.
        QTest::newRow("split line break, a digit after the LF") << QStringLiteral("A\r\n5") << CellMode::Cell8x16 << 2 * 32;
    }

    // Compiles
    //   code unsigned char hz[] = {
    //   #include "hz.txt"
    //   };
    // with a check that the array has exactly the text's glyph bytes.
    void compiles()
    {
        QFETCH(QString, text);
        QFETCH(CellMode, mode);
        QFETCH(int, textBytes);
        QTemporaryDir work;
        ConversionRun run(m_fonts.path(), work.path(), m_clock);
        const RunOutcome outcome =
            run.run(text, {.format = OutputFormat::C51, .cellMode = mode, .invert = true, .mirror = true});
        QCOMPARE(outcome.kind, RunOutcome::Kind::Completed);

        writeFile(work.filePath(QStringLiteral("main.c")),
                  "code unsigned char hz[] = {\n#include \"hz.txt\"\n};\n"
                  "typedef char hz_size_check[(sizeof(hz) == " + QByteArray::number(textBytes) + ") ? 1 : -1];\n");
        const ProgramRun sdcc = runProgram(m_sdcc, {QStringLiteral("-mmcs51"), QStringLiteral("-Dcode=__code"),
                                                    QStringLiteral("-c"), QStringLiteral("main.c")},
                                           {}, work.path());
        QVERIFY2(sdcc.exitCode == 0, qPrintable(sdcc.out + sdcc.err));
        const QString assembly = QString::fromLatin1(readFile(work.filePath(QStringLiteral("main.asm"))));
        QCOMPARE(arrayBytesIn(assembly), readFile(work.filePath(QStringLiteral("zimuo.bin"))).left(textBytes));
    }
};

QTEST_GUILESS_MAIN(TestSdccCompile)
#include "test_sdcc_compile.moc"
