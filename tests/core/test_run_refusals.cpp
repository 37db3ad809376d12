// Runs that must not convert: the empty input, texts the font libraries
// cannot hold, too long texts, missing or short font files and outputs that
// cannot be written. Each gives its message and leaves every file as it was.

#include "core/conversion_run.h"
#include "synthetic_fonts.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace ledglyph;
using namespace testfonts;

namespace {

const QStringList outputNames{QStringLiteral("hz.txt"), QStringLiteral("Tempchar.txt"),
                              QStringLiteral("zimuo.bin")};

QString native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

} // namespace

class TestRunRefusals : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_fonts;
    std::unique_ptr<QTemporaryDir> m_work; // per test: its own fonts/ and out/
    FixedClock m_clock{QDateTime(QDate(2008, 3, 22), QTime(21, 5, 9))};

    QString outDir() const { return m_work->filePath(QStringLiteral("out")); }
    QString fontDir() const { return m_work->filePath(QStringLiteral("fonts")); }

    // Outputs of an earlier run, which a refused run must leave byte for byte.
    void writeOldOutputs()
    {
        for (const QString &name : outputNames)
            writeFile(outDir() + QLatin1Char('/') + name, "old " + name.toUtf8());
    }

    void verifyOldOutputsUnchanged()
    {
        for (const QString &name : outputNames)
            QCOMPARE(readFile(outDir() + QLatin1Char('/') + name), "old " + name.toUtf8());
        QCOMPARE(QDir(outDir()).entryList(QDir::Files | QDir::Hidden | QDir::System).size(), 3);
    }

    RunOutcome runIn(const QString &fonts, const QString &text, CellMode mode = CellMode::Cell16x16)
    {
        ConversionRun run(fonts, outDir(), m_clock);
        return run.run(text, ConversionOptions{OutputFormat::C51, mode, true, true});
    }

private slots:
    void initTestCase()
    {
        writeAsc16(m_fonts.path());
        writeHzk16(m_fonts.path());
    }

    void init()
    {
        m_work = std::make_unique<QTemporaryDir>();
        QVERIFY(QDir(m_work->path()).mkpath(QStringLiteral("out")));
        QVERIFY(QDir(m_work->path()).mkpath(QStringLiteral("fonts")));
        writeOldOutputs();
    }

    void emptyInputTouchesNoFile()
    {
        const RunOutcome outcome = runIn(m_fonts.path(), QString());
        QCOMPARE(outcome.kind, RunOutcome::Kind::EmptyInput);
        QCOMPARE(outcome.message, QStringLiteral("你还没有输入要取模的字符！！！"));
        QVERIFY(outcome.glyphText.isEmpty());
        verifyOldOutputsUnchanged();
    }

    void refusedTexts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("message");
        const int m16 = int(CellMode::Cell16x16);
        const int m8 = int(CellMode::Cell8x16);
        const QString notInLibrary = QStringLiteral(
            "字库中没有以下字符的字模（只能取模GB2312汉字、全角符号和ASCII字符）：%1。请删除或替换这些字符后再取模。");

        QTest::newRow("emoji") << QStringLiteral("A😀B") << m16
                               << notInLibrary.arg(QStringLiteral("第2个字符“😀”"));
        // The surrogate pair counts as one character for the positions after it.
        QTest::newRow("outside GB2312, first byte 0x81")
            << QStringLiteral("😀A丂") << m16
            << notInLibrary.arg(QStringLiteral("第1个字符“😀”、第3个字符“丂”"));
        QTest::newRow("outside GB2312, second byte 0x40")
            << QStringLiteral("啊癅") << m16 << notInLibrary.arg(QStringLiteral("第2个字符“癅”"));
        QTest::newRow("invisible character") << QStringLiteral("A\u200B") << m16
                                             << notInLibrary.arg(QStringLiteral("第2个字符（U+200B）"));
        QTest::newRow("lone surrogate") << QStringLiteral("A") + QChar(0xD83D) + QStringLiteral("B") << m16
                                        << notInLibrary.arg(QStringLiteral("第2个字符（U+D83D）"));
        QTest::newRow("outside GB2312 in 8*16") << QStringLiteral("ab丂") << m8
                                                << notInLibrary.arg(QStringLiteral("第3个字符“丂”"));
        QTest::newRow("NUL") << QStringLiteral("AB") + QChar(0) << m16
                             << QStringLiteral("输入中有空字符（编码为0的控制字符），无法取模：第3个字符。请删除后再取模。");
        QTest::newRow("Chinese in 8*16")
            << QStringLiteral("ab中\r\n　") << m8
            << QStringLiteral("8*16格式时不能取模汉字和全角字符：第3个字符“中”、第6个字符（U+3000）。"
                              "要对汉字取模请选择16*16格式，或删除这些字符后再取模。");
        QString manyEmoji;
        for (int i = 0; i < 12; ++i)
            manyEmoji += QStringLiteral("😀");
        QTest::newRow("twelve emoji")
            << manyEmoji << m16
            << notInLibrary.arg(QStringLiteral("第1个字符“😀”、第2个字符“😀”、第3个字符“😀”、第4个字符“😀”、"
                                               "第5个字符“😀”、第6个字符“😀”、第7个字符“😀”、第8个字符“😀”、"
                                               "第9个字符“😀”、第10个字符“😀”等共12个字符"));
        QTest::newRow("two reasons")
            << QStringLiteral("😀") + QChar(0) << m16
            << QStringLiteral("输入中有空字符（编码为0的控制字符），无法取模：第2个字符。请删除后再取模。\n")
                   + notInLibrary.arg(QStringLiteral("第1个字符“😀”"));
        QTest::newRow("1013 characters")
            << QString(1013, QLatin1Char('A')) << m16
            << QStringLiteral("输入的字符太多：共1013个字符，一次最多只能取模1012个字符（换行算两个字符）。"
                              "请删去1个字符后再取模。");
        QTest::newRow("1012 characters and a line break")
            << QString(1012, QLatin1Char('A')) + QStringLiteral("\r\n") << m8
            << QStringLiteral("输入的字符太多：共1014个字符，一次最多只能取模1012个字符（换行算两个字符）。"
                              "请删去2个字符后再取模。");
    }

    void refusedTexts()
    {
        QFETCH(QString, text);
        QFETCH(int, mode);
        QFETCH(QString, message);
        const RunOutcome outcome = runIn(m_fonts.path(), text, CellMode(mode));
        QCOMPARE(outcome.kind, RunOutcome::Kind::Refused);
        QCOMPARE(outcome.message, message);
        QVERIFY(outcome.glyphText.isEmpty());
        verifyOldOutputsUnchanged();
    }

    void fontRefusals_data()
    {
        QTest::addColumn<qint64>("ascSize"); // -1: no file
        QTest::addColumn<int>("hzZones");    // -1: no file
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("message"); // %1 = the font folder
        const int m16 = int(CellMode::Cell16x16);
        const QString missing = QStringLiteral("找不到字库文件“%1/%2”，无法取得%3的字模。请把字库文件%2放到文件夹“%1”中后再取模。");
        const QString tooShort = QStringLiteral(
            "字库文件“%1/%2”不完整：只有%3字节，而读取%4的字模需要至少%5字节。"
            "请换用完整的字库文件（hzk16应有261696字节，ASC16应有4096字节）后再取模。");

        QTest::newRow("hzk16 missing") << qint64(4096) << -1 << QStringLiteral("A啊") << m16
                                       << missing.arg(QStringLiteral("%1"), QStringLiteral("hzk16"), QStringLiteral("第2个字符“啊”"));
        // The banner needs ASC16 even when the text is all Chinese.
        QTest::newRow("ASC16 missing, Chinese text") << qint64(-1) << 87 << QStringLiteral("啊") << m16
                                                     << missing.arg(QStringLiteral("%1"), QStringLiteral("ASC16"), QStringLiteral("横幅文字中的（空格）"));
        QTest::newRow("hzk16 one byte short for 齄")
            << qint64(4096) << 87 << QStringLiteral("啊齄") << m16
            << tooShort.arg(QStringLiteral("%1"), QStringLiteral("hzk16"), QStringLiteral("261695"),
                            QStringLiteral("第2个字符“齄”"), QStringLiteral("261696"));
        // 66 records hold A; the banner's "w" (code 119) needs 120 records.
        QTest::newRow("ASC16 too short for the banner")
            << qint64(66 * 16) << 87 << QStringLiteral("A") << m16
            << tooShort.arg(QStringLiteral("%1"), QStringLiteral("ASC16"), QStringLiteral("1056"),
                            QStringLiteral("横幅文字中的“w”"), QStringLiteral("1920"));
        QTest::newRow("ASC16 too short for an 8*16 pair")
            << qint64(66 * 16) << 87 << QStringLiteral("Az") << int(CellMode::Cell8x16)
            << tooShort.arg(QStringLiteral("%1"), QStringLiteral("ASC16"), QStringLiteral("1056"),
                            QStringLiteral("第2个字符“z”"), QStringLiteral("1968"));
        QTest::newRow("ASC16 too short for a line break")
            << qint64(13 * 16) << 87 << QStringLiteral("\r\n") << m16
            << tooShort.arg(QStringLiteral("%1"), QStringLiteral("ASC16"), QStringLiteral("208"),
                            QStringLiteral("第1个字符（回车符）"), QStringLiteral("224"));
    }

    void fontRefusals()
    {
        QFETCH(qint64, ascSize);
        QFETCH(int, hzZones);
        QFETCH(QString, text);
        QFETCH(int, mode);
        QFETCH(QString, message);
        if (ascSize >= 0)
            writeAsc16(fontDir(), ascSize);
        if (hzZones >= 0)
            writeHzk16(fontDir(), hzZones);
        // hzk16 one byte short: cut the last byte of the 87 zones.
        if (QTest::currentDataTag() == QByteArray("hzk16 one byte short for 齄")) {
            const QString path = fontDir() + QStringLiteral("/hzk16");
            writeFile(path, readFile(path).chopped(1));
        }
        const RunOutcome outcome = runIn(fontDir(), text, CellMode(mode));
        QCOMPARE(outcome.kind, RunOutcome::Kind::Refused);
        QCOMPARE(outcome.message, message.arg(native(fontDir())));
        verifyOldOutputsUnchanged();
    }

    void fontFolderInPlaceOfAFileIsUnreadable()
    {
        writeAsc16(fontDir());
        QVERIFY(QDir(fontDir()).mkpath(QStringLiteral("hzk16")));
        const RunOutcome outcome = runIn(fontDir(), QStringLiteral("啊"));
        QCOMPARE(outcome.kind, RunOutcome::Kind::Refused);
        QCOMPARE(outcome.message,
                 QStringLiteral("无法读取字库文件“%1/hzk16”（这是文件夹，不是文件），无法取得第1个字符“啊”的字模。"
                                "请检查该文件是否完好、是否有读取权限后再取模。")
                     .arg(native(fontDir())));
        verifyOldOutputsUnchanged();
    }

    // Tests run as root, so the unwritable folder is one whose parent is a file.
    void outputFolderThatCannotExist()
    {
        const QString blocker = m_work->filePath(QStringLiteral("blocker"));
        writeFile(blocker, "a file, not a folder");
        const QString out = blocker + QStringLiteral("/out");
        ConversionRun run(m_fonts.path(), out, m_clock);
        const RunOutcome outcome = run.run(QStringLiteral("A"), {});
        QCOMPARE(outcome.kind, RunOutcome::Kind::Refused);
        QCOMPARE(outcome.message,
                 QStringLiteral("无法写入输出文件“%1/Tempchar.txt”（文件夹“%1”不存在或不是文件夹）。"
                                "请检查输出文件夹是否存在、是否可写，文件是否被其他程序占用，然后再取模。"
                                "所有输出文件都没有改动。")
                     .arg(native(out)));
        QCOMPARE(readFile(blocker), QByteArray("a file, not a folder"));
    }

    // One output that cannot be replaced keeps the others from being replaced too.
    void oneUnwritableOutputChangesNoOutput()
    {
        const QString bin = outDir() + QStringLiteral("/zimuo.bin");
        QVERIFY(QFile::remove(bin));
        QVERIFY(QDir(outDir()).mkpath(QStringLiteral("zimuo.bin")));
        const RunOutcome outcome = runIn(m_fonts.path(), QStringLiteral("啊A"));
        QCOMPARE(outcome.kind, RunOutcome::Kind::Refused);
        QVERIFY2(outcome.message.startsWith(QStringLiteral("无法写入输出文件“%1”（").arg(native(bin))),
                 qPrintable(outcome.message));
        QVERIFY(outcome.message.endsWith(QStringLiteral("所有输出文件都没有改动。")));
        QCOMPARE(readFile(outDir() + QStringLiteral("/hz.txt")), QByteArray("old hz.txt"));
        QCOMPARE(readFile(outDir() + QStringLiteral("/Tempchar.txt")), QByteArray("old Tempchar.txt"));
        QVERIFY(QFileInfo(bin).isDir());
        // No temporary copies are left behind.
        QCOMPARE(QDir(outDir()).entryList(QDir::Files | QDir::Hidden | QDir::System).size(), 2);
    }

    // A refused run leaves the run ready for the next one.
    void runAfterARefusalStartsAfresh()
    {
        ConversionRun run(m_fonts.path(), outDir(), m_clock);
        QCOMPARE(run.run(QStringLiteral("AB😀"), {}).kind, RunOutcome::Kind::Refused);
        QCOMPARE(run.state().byteCount, 0);
        QCOMPARE(run.state().commentPos, 0);
        QCOMPARE(run.state().cellOffset, 0);
        const RunOutcome outcome = run.run(QStringLiteral("AB"), {});
        QCOMPARE(outcome.kind, RunOutcome::Kind::Completed);
        QVERIFY(outcome.glyphText.contains(QStringLiteral(",//A\r\n\r\n")));
        QVERIFY(outcome.glyphText.endsWith(QStringLiteral(",//B\r\n")));
    }
};

QTEST_GUILESS_MAIN(TestRunRefusals)
#include "test_run_refusals.moc"
