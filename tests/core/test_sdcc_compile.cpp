// hz.txt in C51 format compiles with SDCC as the initializer of a code array,
// and the compiled array holds exactly the glyph bytes of the run.

#include "core/conversion_run.h"
#include "synthetic_fonts.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace ledglyph;
using namespace testfonts;

namespace {

struct Compiled {
    bool ok = false;
    QString log;
    QByteArray arrayBytes; // the .db bytes of hz[] in the generated assembly
};

// The array bytes as SDCC lays them out: ".db #0x7e ; 126" lines after "_hz:".
QByteArray arrayBytesIn(const QString &assembly)
{
    QByteArray bytes;
    const qsizetype start = assembly.indexOf(QStringLiteral("\n_hz:"));
    if (start < 0)
        return bytes;
    static const QRegularExpression db(QStringLiteral("^\\s*\\.db #0x([0-9a-f]{2})"));
    const QStringList lines = assembly.mid(start + 5).split(QLatin1Char('\n'));
    for (const QString &line : lines.mid(1)) {
        const QRegularExpressionMatch m = db.match(line);
        if (!m.hasMatch())
            break;
        bytes.append(static_cast<char>(m.captured(1).toUInt(nullptr, 16)));
    }
    return bytes;
}

} // namespace

class TestSdccCompile : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_fonts;
    QString m_sdcc;
    FixedClock m_clock{QDateTime(QDate(2008, 3, 22), QTime(21, 5, 9))};

    // Converts `text`, then compiles
    //   code unsigned char hz[] = {
    //   #include "hz.txt"
    //   };
    // with a check that the array has `textBytes` elements.
    Compiled convertAndCompile(const QString &text, CellMode mode, int textBytes, QByteArray *glyphs,
                               QString *hzText = nullptr)
    {
        QTemporaryDir work;
        ConversionRun run(m_fonts.path(), work.path(), m_clock);
        const RunOutcome outcome = run.run(text, ConversionOptions{OutputFormat::C51, mode, true, true});
        if (outcome.kind != RunOutcome::Kind::Completed)
            return {false, outcome.message, {}};
        *glyphs = run.state().glyphBuffer.left(textBytes);
        if (hzText)
            *hzText = outcome.glyphText;

        const QByteArray source = "code unsigned char hz[] = {\n#include \"hz.txt\"\n};\n"
                                  "typedef char hz_size_check[(sizeof(hz) == "
                                  + QByteArray::number(textBytes) + ") ? 1 : -1];\n";
        writeFile(work.filePath(QStringLiteral("main.c")), source);
        QProcess sdcc;
        sdcc.setWorkingDirectory(work.path());
        sdcc.setProcessChannelMode(QProcess::MergedChannels);
        sdcc.start(m_sdcc, {QStringLiteral("-mmcs51"), QStringLiteral("-Dcode=__code"),
                            QStringLiteral("-c"), QStringLiteral("main.c")});
        if (!sdcc.waitForFinished(120000))
            return {false, QStringLiteral("sdcc did not finish"), {}};
        Compiled compiled;
        compiled.log = QString::fromLocal8Bit(sdcc.readAll());
        compiled.ok = sdcc.exitStatus() == QProcess::NormalExit && sdcc.exitCode() == 0;
        compiled.arrayBytes = arrayBytesIn(QString::fromLatin1(readFile(work.filePath(QStringLiteral("main.asm")))));
        return compiled;
    }

private slots:
    void initTestCase()
    {
        m_sdcc = QStandardPaths::findExecutable(QStringLiteral("sdcc"));
        if (m_sdcc.isEmpty())
            QFAIL("sdcc is not installed: install the Debian package sdcc (apt-get install sdcc)");
        writeAsc16(m_fonts.path());
        writeHzk16(m_fonts.path());
    }

    void compiles_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("textBytes");
        // Comments with Chinese characters (code page 936 bytes), a raw CR, a
        // raw LF, a backslash (which splices the empty line after its comment)
        // and a backslash ending the file.
        QTest::newRow("16*16 mixed with a line break")
            << QStringLiteral("点阵LED\r\n显示 a\\b\\") << int(CellMode::Cell16x16) << 14 * 32;
        // CR LF as one pair: the comment holds both and ends with the line.
        QTest::newRow("8*16 with a line break as one pair")
            << QStringLiteral("AB\r\nCD\\") << int(CellMode::Cell8x16) << 4 * 32;
        QTest::newRow("8*16 odd length") << QStringLiteral("Hello!!") << int(CellMode::Cell8x16) << 4 * 32;
    }

    void compiles()
    {
        QFETCH(QString, text);
        QFETCH(int, mode);
        QFETCH(int, textBytes);
        QByteArray glyphs;
        const Compiled compiled = convertAndCompile(text, CellMode(mode), textBytes, &glyphs);
        QVERIFY2(compiled.ok, qPrintable(compiled.log));
        QCOMPARE(compiled.arrayBytes, glyphs);
    }

    void lineBreakSplitAcrossPairsStaysInComments_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("splitComment");
        QTest::newRow("a letter after the LF") << QStringLiteral("A\r\nB") << QByteArray("//\n//B\r\n");
        QTest::newRow("a digit after the LF") << QStringLiteral("A\r\n5") << QByteArray("//\n//5\r\n");
    }

    // In 8*16 mode a comment names two characters. When a line break's CR is
    // the second character of a pair, the next comment starts with the raw LF;
    // the comment marker written again after it keeps the following character
    // out of the source. The size check catches an extra array element that
    // the compiler alone would accept.
    void lineBreakSplitAcrossPairsStaysInComments()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, splitComment);
        QByteArray glyphs;
        QString hzText;
        const Compiled compiled = convertAndCompile(text, CellMode::Cell8x16, 2 * 32, &glyphs, &hzText);
        QVERIFY2(compiled.ok, qPrintable(compiled.log));
        QCOMPARE(compiled.arrayBytes, glyphs);
        QVERIFY2(hzText.toLatin1().endsWith(splitComment), qPrintable(hzText.right(20)));
    }
};

QTEST_GUILESS_MAIN(TestSdccCompile)
#include "test_sdcc_compile.moc"
