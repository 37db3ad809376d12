// The conversion button: options read from the controls, the files written into
// the program folder, the message panel and the output box; the empty input and refusals.

#include "core/conversion_run.h"
#include "platform/code_page_936.h"
#include "tests/support/test_files.h"
#include "ui_test_support.h"

#include <QLabel>
#include <QPushButton>

using namespace ledglyph;
using namespace ledglyph::test;

namespace {

// hz.txt, zimuo.bin and Tempchar.txt as they are in the folder; empty when missing.
QList<QByteArray> filesIn(const QString &folder)
{
    QList<QByteArray> bytes;
    for (const char *name : {"hz.txt", "zimuo.bin", "Tempchar.txt"})
        bytes << readFile(folder + u'/' + QLatin1String(name));
    return bytes;
}

// The controls clicked, a first conversion of `first` when given, and the
// text typed ("\n" as the Enter key); the options the window must hand the
// core, and whether the core refuses the input.
struct Conversion {
    QStringList clicks;
    QString first;
    QString typed;
    ConversionOptions options;
    bool refused = false;
};

} // namespace

Q_DECLARE_METATYPE(Conversion)

class TestMainWindowConversion : public QObject, MainWindowFixture {
    Q_OBJECT

private slots:
    void init() { QVERIFY(openMainWindow()); }
    void cleanup() { closeWindows(); }

    void convertShowsTheOutcomeOfTheCore_data()
    {
        QTest::addColumn<Conversion>("run");
        using enum OutputFormat;
        using enum CellMode;
        // "no invert" also tells the two check boxes apart; the third row
        // changes every option from the start state's.
        QTest::newRow("both boxes checked, a line break") << Conversion{{}, "", "A中\n1", {C51, Cell16x16, true, true}};
        QTest::newRow("no invert") << Conversion{{"Check1"}, "", "A中", {C51, Cell16x16, false, true}};
        QTest::newRow("8*16, A51, neither") << Conversion{{"Option5", "Option1", "Check1", "Check2"}, "", "ABC",
                                                          {A51, Cell8x16, false, false}};
        QTest::newRow("empty input refused") << Conversion{{}, "", "", {}, true};
        QTest::newRow("no glyph for an emoji after a conversion") << Conversion{{}, "中", "😀", {}, true};
    }

    void convertShowsTheOutcomeOfTheCore()
    {
        QFETCH(Conversion, run);
        for (const QString &name : run.clicks)
            click(name);
        if (!run.first.isEmpty()) {
            typeText(inputBox(), run.first);
            click("Command1");
        }
        const QStringList namesBefore = env->files();
        const QList<QByteArray> before = filesIn(env->dir.path());
        QVERIFY(run.first.isEmpty() || !before.contains(QByteArray()));
        QStringList atMessage;
        env->host.onEveryBox = [&] { atMessage << panel(StatusPanel::Message) << boxText(outputBox()); };
        typeText(inputBox(), run.typed);
        inputBox()->moveCursor(QTextCursor::Start);
        click("Command1");

        // The core, tested on its own, run directly with the row's options and
        // the input with CR LF line breaks: the window must have handed it
        // those, and the row must tell them apart from the start state's.
        QTemporaryDir expected, startState;
        const QString input = run.first + run.typed.replace(u'\n', QStringLiteral("\r\n"));
        const RunOutcome outcome = ConversionRun(LEDGLYPH_APPDIR, expected.path(), env->clock).run(input, run.options);
        QCOMPARE(outcome.kind != RunOutcome::Kind::Completed, run.refused);
        if (run.refused) {
            // The message over an emptied output box and message panel, the
            // progress text shown before the run; every file left as it was,
            // none written where there was none.
            QCOMPARE(env->host.shown, QStringList{"48 Qorvath 欢迎您: " + outcome.message});
            QCOMPARE(atMessage, (QStringList{"正在进行转换，请稍等....", ""}));
            QCOMPARE(panel(StatusPanel::Message), QString());
            QCOMPARE(boxText(outputBox()), QString());
            QCOMPARE(env->files(), namesBefore);
            QCOMPARE(filesIn(env->dir.path()), before);
        } else {
            ConversionRun(LEDGLYPH_APPDIR, startState.path(), env->clock).run(input, {});
            const QList<QByteArray> written = filesIn(env->dir.path());
            QVERIFY(!written.contains(QByteArray()));
            QCOMPARE(written, filesIn(expected.path()));
            QVERIFY(run.clicks.isEmpty() || written != filesIn(startState.path()));
            QCOMPARE(env->host.shown, QStringList());
            QCOMPARE(panel(StatusPanel::Message), outcome.message);
            const QLabel *shown = control<StatusPanels>("StaB1")->panelLabel(StatusPanel::Message);
            QVERIFY(shown->fontMetrics().horizontalAdvance(shown->text()) <= shown->width());
            // The output box shows hz.txt exactly, a lone CR or LF as its symbol.
            QCOMPARE(boxText(outputBox()).replace(QChar(0x240D), u'\r').replace(QChar(0x240A), u'\n'),
                     cp936::decode(written.at(0)));
        }
        // After 取 模, whatever its outcome, typing goes on at the end of the input.
        QCOMPARE(focusName(), "SrcTxt");
        QVERIFY(inputBox()->textCursor().atEnd() && !inputBox()->textCursor().hasSelection());
    }

    // An installed program reads its font libraries from its data folder and
    // writes its outputs to the per-user folder that the services name.
    void outputsGoToTheOutputFolderWhenGiven()
    {
        QTemporaryDir outputs;
        services->outputDir = outputs.path();
        MainWindow installed(*services);
        controlOf<QPlainTextEdit>(&installed, "SrcTxt")->setPlainText(QStringLiteral("中A"));
        controlOf<QPushButton>(&installed, "Command1")->click();

        QCOMPARE(env->host.shown, QStringList());
        QVERIFY(!filesIn(outputs.path()).contains(QByteArray()));
        QCOMPARE(env->files(), (QStringList{"ASC16", "hzk16"}));
    }
};

QTEST_MAIN(TestMainWindowConversion)
#include "test_main_window_conversion.moc"
