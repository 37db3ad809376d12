// The conversion run end to end on synthetic font libraries: the cells of
// zimuo.bin in both modes with every option, the banner placement, the spare
// cells and the final byte, the completion count, Tempchar.txt, the length
// limit and runs that follow earlier ones.

#include "core/conversion_run.h"
#include "synthetic_fonts.h"

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

    QByteArray output(const char *name) const { return readFile(m_out->filePath(QLatin1String(name))); }

    RunOutcome convert(const QString &text, const ConversionOptions &options)
    {
        return ConversionRun(m_fonts.path(), m_out->path(), m_clock).run(text, options);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_fonts.isValid());
        writeAsc16(m_fonts.path());
        writeHzk16(m_fonts.path());
    }

    void init() { m_out = std::make_unique<QTemporaryDir>(); }

    void cells_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<CellMode>("mode");
        QTest::addColumn<bool>("mirror");
        QTest::addColumn<bool>("invert");
        QTest::addColumn<QByteArray>("textCells");
        QTest::addColumn<QString>("message");
        for (const bool mirror : {false, true}) {
            for (const bool invert : {false, true}) {
                // Chinese cells fill 32 bytes (啊 record 1410, 齄 the last record
                // 8177, the full-width space record 0), single-byte ones (A, CR,
                // LF, ~ = 0x7E, the last ASCII code) the left bytes.
                QTest::addRow("16*16%s%s", mirror ? " mirror" : "", invert ? " invert" : "")
                    << QStringLiteral("啊A\r\n齄\u3000~") << CellMode::Cell16x16 << mirror << invert
                    << hzCell(1410, mirror, invert) + ascCell16('A', mirror, invert) + ascCell16('\r', mirror, invert)
                           + ascCell16('\n', mirror, invert) + hzCell(8177, mirror, invert) + hzCell(0, mirror, invert)
                           + ascCell16('~', mirror, invert)
                    << QStringLiteral("转换完成 共： 224个字模");
                // Odd length: the last cell's left bytes stay 0 even when inverting.
                QTest::addRow("8*16 ABC%s%s", mirror ? " mirror" : "", invert ? " invert" : "")
                    << QStringLiteral("ABC") << CellMode::Cell8x16 << mirror << invert
                    << pairCell('A', 'B', mirror, invert) + pairCell('C', -1, mirror, invert)
                    << QStringLiteral("转换完成 共： 64个字模");
            }
        }
        QTest::newRow("8*16 xyzw mirror invert") << QStringLiteral("xyzw") << CellMode::Cell8x16 << true << true
                                                 << pairCell('x', 'y', true, true) + pairCell('z', 'w', true, true)
                                                 << QStringLiteral("转换完成 共： 64个字模");
        QTest::newRow("8*16 a space alone") << QStringLiteral(" ") << CellMode::Cell8x16 << false << true
                                            << pairCell(' ', -1, false, true) << QStringLiteral("转换完成 共： 32个字模");
    }

    // The text's cells, then the banner right after the last cell that holds
    // text. 16*16: a final byte, which the whole-buffer inversion turns into
    // 0xFF with the ASCII cells' right bytes. 8*16: ⌊n/2⌋ spare cells and the
    // final byte, which stay 0 whatever the options.
    void cells()
    {
        QFETCH(QString, text);
        QFETCH(CellMode, mode);
        QFETCH(bool, mirror);
        QFETCH(bool, invert);
        QFETCH(QByteArray, textCells);
        QFETCH(QString, message);
        const RunOutcome outcome =
            convert(text, {.format = OutputFormat::C51, .cellMode = mode, .invert = invert, .mirror = mirror});
        QCOMPARE(outcome.kind, RunOutcome::Kind::Completed);
        QCOMPARE(outcome.message, message);
        const QByteArray tail = mode == CellMode::Cell16x16 ? QByteArray(1, invert ? '\xFF' : '\0')
                                                            : QByteArray(32 * (text.size() / 2) + 1, '\0');
        QCOMPARE(output("zimuo.bin"), textCells + bannerCells(mirror, invert) + tail);
        // Tempchar.txt: the input in code page 936 (啊 B0A1, 齄 F7FE, the full-width
        // space A1A1, ~ 7E) and a CR LF.
        const QByteArray typed = mode == CellMode::Cell16x16 ? QByteArray("\xB0\xA1" "A\r\n\xF7\xFE\xA1\xA1~")
                                                             : text.toLatin1();
        QCOMPARE(output("Tempchar.txt"), typed + "\r\n");
    }

    void longestTextIsAccepted()
    {
        const RunOutcome outcome = convert(QString(1012, QLatin1Char('w')), {.cellMode = CellMode::Cell16x16});
        QCOMPARE(outcome.message, QStringLiteral("转换完成 共： 32384个字模"));
        QCOMPARE(output("zimuo.bin").size(), 32 * 1012 + 353);
    }

    // A run after a completed and a refused one (in another format and mode)
    // writes exactly what a fresh run writes: nothing of the earlier runs'
    // state, counters or tokens leaks into it.
    void laterRunsStartAfresh()
    {
        ConversionRun run(m_fonts.path(), m_out->path(), m_clock);
        QCOMPARE(run.run(QStringLiteral("啊AB"), {}).kind, RunOutcome::Kind::Completed);
        QCOMPARE(run.run(QStringLiteral("AB😀"), {}).kind, RunOutcome::Kind::Refused);
        const ConversionOptions a51{OutputFormat::A51, CellMode::Cell8x16, false, true};
        const RunOutcome later = run.run(QStringLiteral("XYZ"), a51);

        QTemporaryDir freshOut;
        ConversionRun fresh(m_fonts.path(), freshOut.path(), m_clock);
        const RunOutcome first = fresh.run(QStringLiteral("XYZ"), a51);
        QCOMPARE(first.kind, RunOutcome::Kind::Completed);
        QCOMPARE(later.message, first.message);
        QCOMPARE(later.glyphText(), first.glyphText());
        for (const char *name : {"hz.txt", "Tempchar.txt", "zimuo.bin"})
            QCOMPARE(output(name), readFile(freshOut.filePath(QLatin1String(name))));
    }

    // A run keeps its font libraries but reads one again when its file
    // appeared or changed since the last run.
    void changedFontLibrariesAreReadAgain()
    {
        QTemporaryDir fonts;
        writeAsc16(fonts.path());
        ConversionRun run(fonts.path(), m_out->path(), m_clock);
        const ConversionOptions plain{.invert = false, .mirror = false};
        QCOMPARE(run.run(QStringLiteral("啊"), plain).kind, RunOutcome::Kind::Refused); // no hzk16 yet
        writeHzk16(fonts.path());
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
