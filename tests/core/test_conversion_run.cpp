// The conversion run end to end on synthetic font libraries: the cells of
// zimuo.bin in both modes with every option, the banner placement, the spare
// cells and the final byte, the completion count, Tempchar.txt and the run
// state a run leaves behind.

#include "core/conversion_run.h"
#include "platform/code_page_936.h"
#include "synthetic_fonts.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace ledglyph;
using namespace testfonts;

class TestConversionRun : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_fonts;
    std::unique_ptr<QTemporaryDir> m_out;
    FixedClock m_clock{QDateTime(QDate(2008, 3, 22), QTime(21, 5, 9))};

    QString outFile(const QString &name) const { return m_out->filePath(name); }

    static ConversionOptions options(CellMode mode, bool mirror, bool invert,
                                     OutputFormat format = OutputFormat::C51)
    {
        return ConversionOptions{format, mode, invert, mirror};
    }

    static QByteArray zeros(int cells) { return QByteArray(32 * cells, '\0'); }

private slots:
    void initTestCase()
    {
        QVERIFY(m_fonts.isValid());
        writeAsc16(m_fonts.path());
        writeHzk16(m_fonts.path());
    }

    void init() { m_out = std::make_unique<QTemporaryDir>(); }

    void sixteenModeCells_data()
    {
        QTest::addColumn<bool>("mirror");
        QTest::addColumn<bool>("invert");
        QTest::newRow("plain") << false << false;
        QTest::newRow("mirror") << true << false;
        QTest::newRow("invert") << false << true;
        QTest::newRow("mirror and invert") << true << true;
    }

    // Chinese cells fill 32 bytes, ASCII cells the left bytes; the whole-buffer
    // inversion turns the ASCII right bytes and the final byte into 0xFF.
    void sixteenModeCells()
    {
        QFETCH(bool, mirror);
        QFETCH(bool, invert);
        ConversionRun run(m_fonts.path(), m_out->path(), m_clock);
        const RunOutcome outcome = run.run(QStringLiteral("啊A齄"), options(CellMode::Cell16x16, mirror, invert));
        QCOMPARE(outcome.kind, RunOutcome::Kind::Completed);
        QCOMPARE(outcome.message, QStringLiteral("转换完成 共： 96个字模"));

        const QByteArray expected = hzCell(1410, mirror, invert) + ascCell16('A', mirror, invert)
                                    + hzCell(8177, mirror, invert) + bannerCells(mirror, invert)
                                    + QByteArray(1, invert ? '\xFF' : '\0');
        const QByteArray bin = readFile(outFile(QStringLiteral("zimuo.bin")));
        QCOMPARE(bin.size(), 3 * 32 + 353);
        QCOMPARE(bin, expected);
        QCOMPARE(run.state().glyphBuffer, expected);
    }

    void eightModeCells_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("mirror");
        QTest::addColumn<bool>("invert");
        QTest::addColumn<QByteArray>("textCells");
        QTest::addColumn<int>("spareCells");
        QTest::addColumn<QString>("message");
        for (const bool mirror : {false, true}) {
            for (const bool invert : {false, true}) {
                const QByteArray tag = QByteArray(mirror ? "mirror" : "plain") + (invert ? "+invert" : "");
                // Odd length: the last cell's left bytes stay 0 even when inverting.
                QTest::newRow("ABC " + tag)
                    << QStringLiteral("ABC") << mirror << invert
                    << pairCell('A', 'B', mirror, invert) + pairCell('C', -1, mirror, invert) << 1
                    << QStringLiteral("转换完成 共： 64个字模");
                QTest::newRow("AB " + tag) << QStringLiteral("AB") << mirror << invert
                                           << pairCell('A', 'B', mirror, invert) << 1
                                           << QStringLiteral("转换完成 共： 32个字模");
                QTest::newRow("xyzw " + tag)
                    << QStringLiteral("xyzw") << mirror << invert
                    << pairCell('x', 'y', mirror, invert) + pairCell('z', 'w', mirror, invert) << 2
                    << QStringLiteral("转换完成 共： 64个字模");
            }
        }
        QTest::newRow("single character") << QStringLiteral("Q") << true << true
                                          << pairCell('Q', -1, true, true) << 0
                                          << QStringLiteral("转换完成 共： 32个字模");
    }

    // Pair cells, then the banner right after the last cell that holds text,
    // then ⌊n/2⌋ spare cells and a final byte that stay 0 whatever the options.
    void eightModeCells()
    {
        QFETCH(QString, text);
        QFETCH(bool, mirror);
        QFETCH(bool, invert);
        QFETCH(QByteArray, textCells);
        QFETCH(int, spareCells);
        QFETCH(QString, message);
        ConversionRun run(m_fonts.path(), m_out->path(), m_clock);
        const RunOutcome outcome = run.run(text, options(CellMode::Cell8x16, mirror, invert));
        QCOMPARE(outcome.kind, RunOutcome::Kind::Completed);
        QCOMPARE(outcome.message, message);

        const QByteArray expected = textCells + bannerCells(mirror, invert) + zeros(spareCells)
                                    + QByteArray(1, '\0');
        const QByteArray bin = readFile(outFile(QStringLiteral("zimuo.bin")));
        QCOMPARE(bin.size(), 32 * text.size() + 353);
        QCOMPARE(bin, expected);
    }

    void oneChineseCharacterMakes385Bytes()
    {
        ConversionRun run(m_fonts.path(), m_out->path(), m_clock);
        const RunOutcome outcome = run.run(QStringLiteral("啊"), options(CellMode::Cell16x16, true, false));
        QCOMPARE(outcome.message, QStringLiteral("转换完成 共： 32个字模"));
        const QByteArray bin = readFile(outFile(QStringLiteral("zimuo.bin")));
        QCOMPARE(bin.size(), 385);
        QCOMPARE(bin.back(), '\0');
    }

    void chineseRecordPositions_data()
    {
        QTest::addColumn<QString>("character");
        QTest::addColumn<int>("record");
        QTest::newRow("full-width space A1A1") << QStringLiteral("\u3000") << 0;
        QTest::newRow("啊 B0A1") << QStringLiteral("啊") << 1410;
        QTest::newRow("齄 F7FE") << QStringLiteral("齄") << 8177;
        QTest::newRow("中 D6D0") << QStringLiteral("中") << hzRecordOf(0xD6D0);
    }

    void chineseRecordPositions()
    {
        QFETCH(QString, character);
        QFETCH(int, record);
        ConversionRun run(m_fonts.path(), m_out->path(), m_clock);
        QCOMPARE(run.run(character, options(CellMode::Cell16x16, false, false)).kind,
                 RunOutcome::Kind::Completed);
        QCOMPARE(run.state().glyphBuffer.left(32), hzCell(record, false, false));
    }

    void completionCounts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("message");
        QTest::newRow("5 characters, 16*16") << QStringLiteral("ABCDE") << int(CellMode::Cell16x16)
                                             << QStringLiteral("转换完成 共： 160个字模");
        QTest::newRow("5 characters, 8*16") << QStringLiteral("ABCDE") << int(CellMode::Cell8x16)
                                            << QStringLiteral("转换完成 共： 96个字模");
        QTest::newRow("6 characters, 8*16") << QStringLiteral("ABCDEF") << int(CellMode::Cell8x16)
                                            << QStringLiteral("转换完成 共： 96个字模");
        QTest::newRow("mixed, 16*16") << QStringLiteral("中a文") << int(CellMode::Cell16x16)
                                      << QStringLiteral("转换完成 共： 96个字模");
        QTest::newRow("spaces only") << QStringLiteral("  ") << int(CellMode::Cell16x16)
                                     << QStringLiteral("转换完成 共： 64个字模");
    }

    void completionCounts()
    {
        QFETCH(QString, text);
        QFETCH(int, mode);
        QFETCH(QString, message);
        ConversionRun run(m_fonts.path(), m_out->path(), m_clock);
        const RunOutcome outcome = run.run(text, options(CellMode(mode), true, true));
        QCOMPARE(outcome.kind, RunOutcome::Kind::Completed);
        QCOMPARE(outcome.message, message);
    }

    // A typed line break is CR and LF, each an ASCII cell of its own.
    void lineBreakConvertsAsTwoAsciiCells()
    {
        ConversionRun run(m_fonts.path(), m_out->path(), m_clock);
        const RunOutcome outcome = run.run(QStringLiteral("A\r\nB"), options(CellMode::Cell16x16, false, true));
        QCOMPARE(outcome.message, QStringLiteral("转换完成 共： 128个字模"));
        const QByteArray bin = readFile(outFile(QStringLiteral("zimuo.bin")));
        QCOMPARE(bin.left(128), ascCell16('A', false, true) + ascCell16('\r', false, true)
                                    + ascCell16('\n', false, true) + ascCell16('B', false, true));
        QCOMPARE(readFile(outFile(QStringLiteral("Tempchar.txt"))), QByteArray("A\r\nB\r\n"));
        // The comments name the raw characters: "//" CR, then the cell's line end.
        QVERIFY(outcome.glyphText.contains(QStringLiteral(",//\r\r\n\r\n")));
        QVERIFY(outcome.glyphText.contains(QStringLiteral(",//\n\r\n\r\n")));
    }

    void tempCharHoldsTheInputInCodePage936()
    {
        ConversionRun run(m_fonts.path(), m_out->path(), m_clock);
        QCOMPARE(run.state().tempCharPath, QDir::toNativeSeparators(outFile(QStringLiteral("Tempchar.txt"))));
        QCOMPARE(run.run(QStringLiteral("啊A€"), {}).kind, RunOutcome::Kind::Completed);
        QCOMPARE(readFile(outFile(QStringLiteral("Tempchar.txt"))), QByteArray("\xB0\xA1" "A\x80\r\n"));
    }

    // € is a single-byte character of code page 936 (0x80): an ASCII cell.
    void singleByteEuroIsAnAsciiCell()
    {
        ConversionRun run(m_fonts.path(), m_out->path(), m_clock);
        QCOMPARE(run.run(QStringLiteral("€"), options(CellMode::Cell16x16, false, false)).kind,
                 RunOutcome::Kind::Completed);
        QCOMPARE(run.state().glyphBuffer.left(32), ascCell16(0x80, false, false));
    }

    void glyphTextIsHzTxtDecoded()
    {
        ConversionRun run(m_fonts.path(), m_out->path(), m_clock);
        const RunOutcome outcome = run.run(QStringLiteral("点阵"), {});
        const QByteArray hz = readFile(outFile(QStringLiteral("hz.txt")));
        QVERIFY(hz.contains("//\xB5\xE3\r\n")); // 点 in code page 936
        QCOMPARE(outcome.glyphText, cp936::decode(hz));
        QVERIFY(outcome.glyphText.endsWith(QStringLiteral("//阵\r\n")));
    }

    // After a run the counters are back at 0 and srcText holds the banner;
    // the last font read was the banner's final space (code 32).
    void runStateAfterARun()
    {
        ConversionRun run(m_fonts.path(), m_out->path(), m_clock);
        QCOMPARE(run.run(QStringLiteral("ABC"), options(CellMode::Cell8x16, true, true)).kind,
                 RunOutcome::Kind::Completed);
        const RunState &state = run.state();
        QCOMPARE(state.byteCount, 0);
        QCOMPARE(state.commentPos, 0);
        QCOMPARE(state.cellOffset, 0);
        QCOMPARE(state.textLen, 3);
        QCOMPARE(state.srcText, QStringLiteral("  www.qorvath.test    "));
        QCOMPARE(state.charIndex, 22);
        QCOMPARE(state.fontPath, QDir::toNativeSeparators(m_fonts.filePath(QStringLiteral("ASC16"))));
        QCOMPARE(state.outPath, QDir::toNativeSeparators(outFile(QStringLiteral("zimuo.bin"))));
        QCOMPARE(state.filePos, 32 * 16 + 1);
        QByteArray spaceRecord;
        for (int row = 0; row < 16; ++row)
            spaceRecord.append(static_cast<char>(ascRow(' ', row)));
        QCOMPARE(state.fontBytes, spaceRecord);
        QCOMPARE(state.tokens.tokSep, QStringLiteral(","));
    }

    // A second run starts from the reset state and replaces every output.
    void secondRunReplacesTheOutputs()
    {
        ConversionRun run(m_fonts.path(), m_out->path(), m_clock);
        QCOMPARE(run.run(QStringLiteral("啊AB"), {}).kind, RunOutcome::Kind::Completed);
        const RunOutcome second =
            run.run(QStringLiteral("Z"), options(CellMode::Cell16x16, false, false, OutputFormat::A51));
        QCOMPARE(second.kind, RunOutcome::Kind::Completed);
        QCOMPARE(readFile(outFile(QStringLiteral("zimuo.bin"))).size(), 385);
        QCOMPARE(readFile(outFile(QStringLiteral("Tempchar.txt"))), QByteArray("Z\r\n"));
        const QByteArray hz = readFile(outFile(QStringLiteral("hz.txt")));
        QVERIFY(hz.startsWith("\r\n;"));
        QVERIFY(!hz.contains("\r\n//")); // no C51 comment line is left
        QVERIFY(hz.endsWith(";Z\r\n"));
    }

    void longestTextIsAccepted()
    {
        ConversionRun run(m_fonts.path(), m_out->path(), m_clock);
        const RunOutcome outcome = run.run(QString(1012, QLatin1Char('w')), {});
        QCOMPARE(outcome.kind, RunOutcome::Kind::Completed);
        QCOMPARE(outcome.message, QStringLiteral("转换完成 共： 32384个字模"));
        QCOMPARE(readFile(outFile(QStringLiteral("zimuo.bin"))).size(), 32 * 1012 + 353);
    }
};

QTEST_GUILESS_MAIN(TestConversionRun)
#include "test_conversion_run.moc"
