// ledglyph-cli's command line and inputs: exit codes and messages, text files
// taken as typed, and refused runs that leave every file as it was.

#include "cli_process.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QStringList outputNames{QStringLiteral("hz.txt"), QStringLiteral("Tempchar.txt"),
                              QStringLiteral("zimuo.bin")};

} // namespace

class TestCliInputs : public QObject {
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
    QString file(const QString &name) const { return m_dir.filePath(name); }

    // The arguments with the placeholders OUT, FILE, BADUTF8, EMPTYLINE, NOWHERE filled in.
    QStringList filled(QStringList arguments, const QString &out) const
    {
        for (QString &argument : arguments) {
            if (argument == QLatin1String("OUT"))
                argument = out;
            else if (argument == QLatin1String("FILE") || argument == QLatin1String("BADUTF8")
                     || argument == QLatin1String("EMPTYLINE"))
                argument = file(argument);
            else if (argument == QLatin1String("NOWHERE"))
                argument = file(QStringLiteral("no-such-folder"));
        }
        return arguments;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QVERIFY(writeFileBytes(file(QStringLiteral("FILE")), "AB\n"));
        QVERIFY(writeFileBytes(file(QStringLiteral("BADUTF8")), "A\xB0\xA1\n")); // code page 936, not UTF-8
        QVERIFY(writeFileBytes(file(QStringLiteral("EMPTYLINE")), "\n"));
    }

    void exitCodes_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QStringList>("environment");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message"); // on stdout for 0, on stderr otherwise

        const QString c = QStringLiteral("convert");
        const QString o = QStringLiteral("--out-dir");
        const QString out = QStringLiteral("OUT");
        const QStringList none;
        QTest::newRow("converted") << QStringList{c, QStringLiteral("啊A"), o, out} << none << 0
                                   << QStringLiteral("转换完成 共： 64个字模");
        QTest::newRow("8x16 a51") << QStringList{c, QStringLiteral("ABC"), QStringLiteral("--cell"), QStringLiteral("8x16"),
                                                 QStringLiteral("--format"), QStringLiteral("a51"), o, out}
                                  << none << 0 << QStringLiteral("转换完成 共： 64个字模");
        QTest::newRow("text file") << QStringList{c, QStringLiteral("--text-file"), QStringLiteral("FILE"), o, out}
                                   << none << 0 << QStringLiteral("转换完成 共： 64个字模");
        QTest::newRow("epoch zero") << QStringList{c, QStringLiteral("A"), o, out}
                                    << QStringList{QStringLiteral("SOURCE_DATE_EPOCH=0")} << 0
                                    << QStringLiteral("转换完成 共： 32个字模");

        QTest::newRow("empty text") << QStringList{c, QString(), o, out} << none << 1
                                    << QStringLiteral("你还没有输入要取模的字符！！！");
        QTest::newRow("file of one line end")
            << QStringList{c, QStringLiteral("--text-file"), QStringLiteral("EMPTYLINE"), o, out} << none << 1
            << QStringLiteral("你还没有输入要取模的字符！！！");
        QTest::newRow("emoji") << QStringList{c, QStringLiteral("A😀"), o, out} << none << 1
                               << QStringLiteral("😀");
        QTest::newRow("hanzi in 8x16") << QStringList{c, QStringLiteral("A啊"), QStringLiteral("--cell"),
                                                      QStringLiteral("8x16"), o, out}
                                       << none << 1 << QStringLiteral("啊");
        QTest::newRow("no fonts") << QStringList{c, QStringLiteral("A"), QStringLiteral("--font-dir"),
                                                 QStringLiteral("NOWHERE"), o, out}
                                  << none << 1 << QStringLiteral("ASC16");
        QTest::newRow("no output folder") << QStringList{c, QStringLiteral("A"), o, QStringLiteral("NOWHERE")}
                                          << none << 1 << QStringLiteral("no-such-folder");
        QTest::newRow("missing text file")
            << QStringList{c, QStringLiteral("--text-file"), QStringLiteral("NOWHERE"), o, out} << none << 1
            << QStringLiteral("no-such-folder");
        QTest::newRow("text file not utf-8")
            << QStringList{c, QStringLiteral("--text-file"), QStringLiteral("BADUTF8"), o, out} << none << 1
            << QStringLiteral("UTF-8");
        QTest::newRow("too long") << QStringList{c, QString(1013, QLatin1Char('A')), o, out} << none << 1
                                  << QStringLiteral("1012");

        QTest::newRow("no command") << QStringList{} << none << 2 << QStringLiteral("convert");
        QTest::newRow("unknown command") << QStringList{QStringLiteral("convrt"), QStringLiteral("A")} << none << 2
                                         << QStringLiteral("convrt");
        QTest::newRow("unknown option") << QStringList{c, QStringLiteral("A"), QStringLiteral("--invert"), o, out}
                                        << none << 2 << QStringLiteral("invert");
        QTest::newRow("bad format") << QStringList{c, QStringLiteral("A"), QStringLiteral("--format"), QStringLiteral("c52"), o, out}
                                    << none << 2 << QStringLiteral("c52");
        QTest::newRow("bad cell") << QStringList{c, QStringLiteral("A"), QStringLiteral("--cell"), QStringLiteral("16*8"), o, out}
                                  << none << 2 << QStringLiteral("16*8");
        QTest::newRow("format without value") << QStringList{c, QStringLiteral("A"), QStringLiteral("--format")}
                                              << none << 2 << QStringLiteral("format");
        QTest::newRow("text and file") << QStringList{c, QStringLiteral("A"), QStringLiteral("--text-file"),
                                                      QStringLiteral("FILE"), o, out}
                                       << none << 2 << QStringLiteral("--text-file");
        QTest::newRow("neither text nor file") << QStringList{c, o, out} << none << 2 << QStringLiteral("--text-file");
        QTest::newRow("two texts") << QStringList{c, QStringLiteral("A"), QStringLiteral("B"), o, out} << none << 2
                                   << QStringLiteral("“B”");
        QTest::newRow("epoch negative") << QStringList{c, QStringLiteral("A"), o, out}
                                        << QStringList{QStringLiteral("SOURCE_DATE_EPOCH=-1")} << 2
                                        << QStringLiteral("SOURCE_DATE_EPOCH");
        QTest::newRow("epoch not a number") << QStringList{c, QStringLiteral("A"), o, out}
                                            << QStringList{QStringLiteral("SOURCE_DATE_EPOCH=yesterday")} << 2
                                            << QStringLiteral("yesterday");
        QTest::newRow("epoch empty") << QStringList{c, QStringLiteral("A"), o, out}
                                     << QStringList{QStringLiteral("SOURCE_DATE_EPOCH=")} << 2
                                     << QStringLiteral("SOURCE_DATE_EPOCH");
    }

    void exitCodes()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QStringList, environment);
        QFETCH(int, exitCode);
        QFETCH(QString, message);
        const QString out = freshDir();
        const CliRun run = runCli(filled(arguments, out), environment);
        QCOMPARE(run.exitCode, exitCode);
        if (exitCode == 0) {
            QCOMPARE(run.out, message + QLatin1Char('\n'));
            QVERIFY(run.err.isEmpty());
            for (const QString &name : outputNames)
                QVERIFY(QFile::exists(out + QLatin1Char('/') + name));
        } else {
            QVERIFY2(run.err.contains(message), qPrintable(run.err));
            QVERIFY(run.out.isEmpty());
            QVERIFY(QDir(out).isEmpty());
        }
    }

    void textFileIsTakenAsTyped_data()
    {
        QTest::addColumn<QByteArray>("content");   // UTF-8
        QTest::addColumn<QByteArray>("tempChar");  // code page 936, with the run's own final CR LF
        QTest::addColumn<int>("glyphBytes");

        QTest::newRow("LF lines") << QByteArray("\xE5\x95\x8A\nA\n") << QByteArray("\xB0\xA1\r\nA\r\n") << 4 * 32;
        QTest::newRow("CR LF lines") << QByteArray("\xE5\x95\x8A\r\nA\r\n") << QByteArray("\xB0\xA1\r\nA\r\n") << 4 * 32;
        QTest::newRow("no final line end") << QByteArray("\xE5\x95\x8A\nA") << QByteArray("\xB0\xA1\r\nA\r\n") << 4 * 32;
        QTest::newRow("only one final line end dropped") << QByteArray("A\n\n") << QByteArray("A\r\n\r\n") << 3 * 32;
        QTest::newRow("lone CR") << QByteArray("A\rB") << QByteArray("A\r\nB\r\n") << 4 * 32;
        QTest::newRow("byte-order mark") << QByteArray("\xEF\xBB\xBF" "AB\n") << QByteArray("AB\r\n") << 2 * 32;
        QTest::newRow("spaces kept") << QByteArray(" A \n") << QByteArray(" A \r\n") << 3 * 32;
    }

    void textFileIsTakenAsTyped()
    {
        QFETCH(QByteArray, content);
        QFETCH(QByteArray, tempChar);
        QFETCH(int, glyphBytes);
        const QString out = freshDir();
        const QString source = out + QStringLiteral("/input.txt");
        QVERIFY(writeFileBytes(source, content));
        const CliRun run = runCli({QStringLiteral("convert"), QStringLiteral("--text-file"), source,
                                   QStringLiteral("--out-dir"), out});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(fileBytes(out + QStringLiteral("/Tempchar.txt")), tempChar);
        QCOMPARE(run.out, QStringLiteral("转换完成 共： %1个字模\n").arg(glyphBytes));
    }

    void typedTextLineBreaksBecomeCrLf()
    {
        const QString out = freshDir();
        const CliRun run = runCli({QStringLiteral("convert"), QStringLiteral("A\nB"), QStringLiteral("--out-dir"), out});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(fileBytes(out + QStringLiteral("/Tempchar.txt")), QByteArray("A\r\nB\r\n"));
        // The line break is two characters, two (blank) cells.
        QCOMPARE(run.out, QStringLiteral("转换完成 共： 128个字模\n"));
    }

    void refusedRunChangesNoFile_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("empty") << QStringList{QString()};
        QTest::newRow("emoji") << QStringList{QStringLiteral("A😀B")};
        QTest::newRow("outside GB2312") << QStringList{QStringLiteral("A\u4E02")}; // 丂: GBK 8140
        QTest::newRow("hanzi in 8x16") << QStringList{QStringLiteral("AB啊"), QStringLiteral("--cell"), QStringLiteral("8x16")};
        QTest::newRow("missing fonts") << QStringList{QStringLiteral("AB"), QStringLiteral("--font-dir"), QStringLiteral("NOWHERE")};
        QTest::newRow("usage error") << QStringList{QStringLiteral("AB"), QStringLiteral("--format"), QStringLiteral("c")};
    }

    void refusedRunChangesNoFile()
    {
        QFETCH(QStringList, arguments);
        const QString out = freshDir();
        for (const QString &name : outputNames)
            QVERIFY(writeFileBytes(out + QLatin1Char('/') + name, "earlier " + name.toLatin1()));
        const CliRun run = runCli(filled(QStringList{QStringLiteral("convert")} + arguments
                                             + QStringList{QStringLiteral("--out-dir"), QStringLiteral("OUT")},
                                         out));
        QVERIFY(run.exitCode == 1 || run.exitCode == 2);
        QVERIFY(!run.err.isEmpty());
        for (const QString &name : outputNames)
            QCOMPARE(fileBytes(out + QLatin1Char('/') + name), "earlier " + name.toLatin1());
        QCOMPARE(QDir(out).entryList(QDir::Files).size(), outputNames.size());
    }
};

QTEST_GUILESS_MAIN(TestCliInputs)
#include "test_cli_inputs.moc"
