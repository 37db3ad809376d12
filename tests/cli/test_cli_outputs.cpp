// ledglyph-cli's outputs, byte for byte: against the in-process conversion in
// every combination of options, and against bytes worked out by hand from a
// tiny font of our own.

#include "cli_process.h"

#include "core/conversion_run.h"
#include "platform/app_dir.h"
#include "platform/clock.h"

#include <QDir>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>
#include <QTimeZone>

using namespace ledglyph;

namespace {

const QStringList outputNames{QStringLiteral("hz.txt"), QStringLiteral("Tempchar.txt"),
                              QStringLiteral("zimuo.bin")};
constexpr qint64 epoch = 1206178215; // 2008-03-22 09:30:15 UTC

QString mixedText()
{
    return QStringLiteral("点阵LED显示屏：Hello, 齄 A!"); // 20 characters
}
QString asciiText()
{
    return QStringLiteral("LED matrix 8x16: OK?"); // 20 characters
}

} // namespace

class TestCliOutputs : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    int m_serial = 0;
    QString freshDir()
    {
        const QString path = m_dir.filePath(QString::number(++m_serial));
        QDir().mkpath(path);
        return path;
    }

private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    void sameBytesAsTheCore_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("cell");
        QTest::addColumn<bool>("invert");
        QTest::addColumn<bool>("mirror");
        for (const char *format : {"c51", "a51"}) {
            for (const char *cell : {"16x16", "8x16"}) {
                for (const bool invert : {true, false}) {
                    for (const bool mirror : {true, false}) {
                        QTest::addRow("%s %s %s %s", format, cell, invert ? "invert" : "no-invert",
                                      mirror ? "mirror" : "no-mirror")
                            << QString::fromLatin1(format) << QString::fromLatin1(cell) << invert << mirror;
                    }
                }
            }
        }
    }

    void sameBytesAsTheCore()
    {
        QFETCH(QString, format);
        QFETCH(QString, cell);
        QFETCH(bool, invert);
        QFETCH(bool, mirror);
        const bool wide = cell == QLatin1String("16x16");
        const QString text = wide ? mixedText() : asciiText();

        const QString cliOut = freshDir();
        QStringList arguments{QStringLiteral("convert"), text, QStringLiteral("--format"), format,
                              QStringLiteral("--cell"), cell, QStringLiteral("--out-dir"), cliOut};
        if (!invert)
            arguments << QStringLiteral("--no-invert");
        if (!mirror)
            arguments << QStringLiteral("--no-mirror");
        const CliRun cli = runCli(arguments, {QStringLiteral("SOURCE_DATE_EPOCH=%1").arg(epoch)});
        QCOMPARE(cli.exitCode, 0);

        const QString coreOut = freshDir();
        const FixedClock clock(QDateTime::fromSecsSinceEpoch(epoch, QTimeZone::utc()));
        ConversionRun run(QStringLiteral(LEDGLYPH_APPDIR), coreOut, clock);
        ConversionOptions options;
        options.format = format == QLatin1String("a51") ? OutputFormat::A51 : OutputFormat::C51;
        options.cellMode = wide ? CellMode::Cell16x16 : CellMode::Cell8x16;
        options.invert = invert;
        options.mirror = mirror;
        const RunOutcome outcome = run.run(text, options);
        QCOMPARE(outcome.kind, RunOutcome::Kind::Completed);

        QCOMPARE(cli.out, outcome.message + QLatin1Char('\n'));
        QVERIFY(cli.err.isEmpty());
        for (const QString &name : outputNames) {
            const QByteArray expected = fileBytes(coreOut + QLatin1Char('/') + name);
            QVERIFY2(!expected.isEmpty(), qPrintable(name));
            QCOMPARE(fileBytes(cliOut + QLatin1Char('/') + name), expected);
        }
        // 20 characters: 640 bytes of text cells in 16*16, 320 in 8*16.
        QCOMPARE(fileBytes(cliOut + QStringLiteral("/zimuo.bin")).size(), 32 * 20 + 353);
        QCOMPARE(cli.out.trimmed(), wide ? QStringLiteral("转换完成 共： 640个字模")
                                         : QStringLiteral("转换完成 共： 320个字模"));
    }

    void defaultsAreC51Wide16InvertedAndMirroredWithHandWorkedBytes()
    {
        // A font of our own: 啊 has rows (F0 01) and (12 34), A has rows C0 and
        // (bottom) 01, the neighbouring records' edge rows are set so that a
        // read one byte off shows, and w has row 3 = 06.
        const QString fonts = freshDir();
        QByteArray hzk16(261696, '\0');
        hzk16[45120] = '\xF0';
        hzk16[45121] = '\x01';
        hzk16[45122] = '\x12';
        hzk16[45123] = '\x34';
        QByteArray asc16(4096, '\0');
        asc16['A' * 16] = '\xC0';
        asc16['A' * 16 + 15] = '\x01';
        asc16['A' * 16 - 1] = '\x55';
        asc16['B' * 16] = '\xAA';
        asc16['w' * 16 + 3] = '\x06';
        QVERIFY(writeFileBytes(fonts + QStringLiteral("/hzk16"), hzk16));
        QVERIFY(writeFileBytes(fonts + QStringLiteral("/ASC16"), asc16));

        const QString out = freshDir();
        const CliRun cli = runCli({QStringLiteral("convert"), QStringLiteral("啊A"), QStringLiteral("--font-dir"),
                                   fonts, QStringLiteral("--out-dir"), out},
                                  {QStringLiteral("SOURCE_DATE_EPOCH=%1").arg(epoch), QStringLiteral("LC_ALL=C.UTF-8")});
        QCOMPARE(cli.exitCode, 0);
        QCOMPARE(cli.out, QStringLiteral("转换完成 共： 64个字模\n"));

        // 啊 mirrored: (F0 01) → (80 0F), (12 34) → (2C 48); inverted: (7F F0), (D3 B7).
        // A mirrored in its left half: C0 → 03, 01 → 80; inverted FC, 7F; right bytes FF.
        const QString ff4 = QStringLiteral("0xFF,0xFF,0xFF,0xFF,");
        const QString expectedText =
            QStringLiteral("\r\n"
                           "//本字模是由Qorvath 点阵取模软件生成\r\n"
                           "//软件下载地址：http://www.qorvath.test/download/ \r\n"
                           "//www.qorvath.test 2008-3-22 09:30:15\r\n"
                           "\r\n"
                           "\r\n")
            + QStringLiteral("0x7F,0xF0,0xD3,0xB7,") + ff4 + ff4 + ff4 + QStringLiteral("\r\n")
            + ff4 + ff4 + ff4 + ff4 + QStringLiteral("//啊\r\n\r\n")
            + QStringLiteral("0xFC,0xFF,0xFF,0xFF,") + ff4 + ff4 + ff4 + QStringLiteral("\r\n")
            + ff4 + ff4 + ff4 + QStringLiteral("0xFF,0xFF,0x7F,0xFF,//A\r\n");
        QStringEncoder gbk("GBK");
        const QByteArray expectedHz = gbk.encode(expectedText);
        QVERIFY(!gbk.hasError());
        QCOMPARE(fileBytes(out + QStringLiteral("/hz.txt")), expectedHz);

        QCOMPARE(fileBytes(out + QStringLiteral("/Tempchar.txt")), QByteArray("\xB0\xA1" "A\r\n"));

        QByteArray expectedBin(32 * 2 + 11 * 32 + 1, '\xFF');
        expectedBin[0] = '\x7F';
        expectedBin[1] = '\xF0';
        expectedBin[2] = '\xD3';
        expectedBin[3] = '\xB7';
        expectedBin[32] = '\xFC';
        expectedBin[32 + 30] = '\x7F';
        // Banner "  www.qorvath.test    ": cell 1 holds w (right) and w (left),
        // cell 2 holds w (right) and '.' (left). w's row 3: 06 → 60 → 9F.
        expectedBin[64 + 32 + 6] = '\x9F';
        expectedBin[64 + 32 + 7] = '\x9F';
        expectedBin[64 + 64 + 7] = '\x9F';
        QCOMPARE(fileBytes(out + QStringLiteral("/zimuo.bin")), expectedBin);
    }

    void sourceDateEpochMakesRunsIdentical()
    {
        const QStringList environment{QStringLiteral("SOURCE_DATE_EPOCH=%1").arg(epoch)};
        const QString first = freshDir();
        const QString second = freshDir();
        QCOMPARE(runCli({QStringLiteral("convert"), mixedText(), QStringLiteral("--out-dir"), first}, environment).exitCode, 0);
        QTest::qWait(1100); // the system clock moves on; the header must not
        QCOMPARE(runCli({QStringLiteral("convert"), mixedText(), QStringLiteral("--out-dir"), second}, environment).exitCode, 0);
        for (const QString &name : outputNames)
            QCOMPARE(fileBytes(second + QLatin1Char('/') + name), fileBytes(first + QLatin1Char('/') + name));

        // The header's time is the epoch's, in UTC.
        const QString header = QString::fromUtf8(fileBytes(first + QStringLiteral("/hz.txt")));
        QVERIFY2(header.contains(QStringLiteral("09:30:15")), qPrintable(header.left(200)));
    }

    void fontsAndOutputsDefaultToTheProgramFolder()
    {
        // Without --font-dir and --out-dir the program reads and writes beside
        // itself; a copy of the program in a folder of its own shows that.
        const QString folder = freshDir();
        for (const QString &name : {QStringLiteral("ledglyph-cli"), QStringLiteral("hzk16"), QStringLiteral("ASC16")})
            QVERIFY(QFile::copy(QStringLiteral(LEDGLYPH_APPDIR "/") + name, folder + QLatin1Char('/') + name));
        QFile::setPermissions(folder + QStringLiteral("/ledglyph-cli"),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QProcess process;
        process.setWorkingDirectory(m_dir.path());
        process.start(folder + QStringLiteral("/ledglyph-cli"), {QStringLiteral("convert"), QStringLiteral("AB")});
        QVERIFY(process.waitForFinished(60000));
        QCOMPARE(process.exitCode(), 0);
        QCOMPARE(fileBytes(folder + QStringLiteral("/Tempchar.txt")), QByteArray("AB\r\n"));
        QCOMPARE(fileBytes(folder + QStringLiteral("/zimuo.bin")).size(), 2 * 32 + 353);
        QVERIFY(QFile::exists(folder + QStringLiteral("/hz.txt")));
    }
};

QTEST_GUILESS_MAIN(TestCliOutputs)
#include "test_cli_outputs.moc"
