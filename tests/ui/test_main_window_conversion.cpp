// The conversion button: options read from the controls, the files written into
// the program folder, the message panel and the output box; the empty input and refusals.

#include "core/conversion_run.h"
#include "platform/code_page_936.h"
#include "ui_test_support.h"

#include <QLabel>

using namespace ledglyph;
using namespace ledglyph::test;

Q_DECLARE_METATYPE(ledglyph::ConversionOptions)

namespace {

const QStringList kOutputs{"hz.txt", "zimuo.bin", "Tempchar.txt"};

QList<QByteArray> filesIn(const QString &folder)
{
    QList<QByteArray> bytes;
    for (const QString &name : kOutputs) {
        QFile file(folder + u'/' + name);
        bytes << (file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray());
    }
    return bytes;
}

} // namespace

class TestMainWindowConversion : public QObject, MainWindowFixture {
    Q_OBJECT

    // After 取 模, whatever its outcome, typing goes on at the end of the input.
    void expectFocusAtEndOfInput() const
    {
        QCOMPARE(focusName(), "SrcTxt");
        QCOMPARE(inputBox()->textCursor().position(), inputBox()->document()->characterCount() - 1);
        QVERIFY(!inputBox()->textCursor().hasSelection());
    }

private slots:
    void init() { QVERIFY(openMainWindow()); }
    void cleanup() { closeWindows(); }

    void convertsWithTheOptionsOfTheControls_data();
    void convertsWithTheOptionsOfTheControls();
    void emptyInputShowsTheMessageAndWritesNothing();
    void refusedRunLeavesEveryFileAsItWas();
    void outputsGoToTheOutputFolderWhenGiven();
};

void TestMainWindowConversion::convertsWithTheOptionsOfTheControls_data()
{
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<QString>("typed"); // "\n" as the Enter key
    QTest::addColumn<QString>("message");
    QTest::addColumn<QByteArray>("tempChar"); // the input as the core got it
    QTest::addColumn<ConversionOptions>("options");

    using enum OutputFormat;
    using enum CellMode;
    QTest::newRow("both boxes checked, a line break") << QStringList{} << "A中\n1" << "转换完成 共： 160个字模"
        << QByteArray("A\xD6\xD0\r\n1\r\n")
        << ConversionOptions{.format = C51, .cellMode = Cell16x16, .invert = true, .mirror = true};
    QTest::newRow("A51") << QStringList{"Option1"} << "A中" << "转换完成 共： 64个字模"
        << QByteArray("A\xD6\xD0\r\n")
        << ConversionOptions{.format = A51, .cellMode = Cell16x16, .invert = true, .mirror = true};
    QTest::newRow("no invert") << QStringList{"Check1"} << "A中" << "转换完成 共： 64个字模"
        << QByteArray("A\xD6\xD0\r\n")
        << ConversionOptions{.format = C51, .cellMode = Cell16x16, .invert = false, .mirror = true};
    QTest::newRow("no mirror") << QStringList{"Check2"} << "A中" << "转换完成 共： 64个字模"
        << QByteArray("A\xD6\xD0\r\n")
        << ConversionOptions{.format = C51, .cellMode = Cell16x16, .invert = true, .mirror = false};
    QTest::newRow("8*16, A51, neither") << QStringList{"Option5", "Option1", "Check1", "Check2"} << "ABC"
        << "转换完成 共： 64个字模" << QByteArray("ABC\r\n")
        << ConversionOptions{.format = A51, .cellMode = Cell8x16, .invert = false, .mirror = false};
}

void TestMainWindowConversion::convertsWithTheOptionsOfTheControls()
{
    QFETCH(QStringList, clicks);
    QFETCH(QString, typed);
    QFETCH(QString, message);
    QFETCH(QByteArray, tempChar);
    QFETCH(ConversionOptions, options);

    for (const QString &name : clicks)
        click(name);
    typeText(inputBox(), typed);
    inputBox()->moveCursor(QTextCursor::Start);
    click("Command1");

    QCOMPARE(env->host.shown, QStringList());
    expectFocusAtEndOfInput();
    QCOMPARE(panel(StatusPanel::Message), message);
    const QLabel *shown = control<StatusPanels>("StaB1")->panelLabel(StatusPanel::Message);
    QVERIFY(shown->fontMetrics().horizontalAdvance(shown->text()) <= shown->width());
    const QList<QByteArray> written = filesIn(env->dir.path());
    QCOMPARE(written.at(2), tempChar);
    // The output box shows hz.txt exactly, a lone CR or LF as its symbol.
    QCOMPARE(boxText(outputBox()).replace(QChar(0x240D), u'\r').replace(QChar(0x240A), u'\n'),
             cp936::decode(written.at(0)));

    // The core, tested on its own, run directly with the row's options: the
    // window must have handed it those, and the row must tell them apart.
    QTemporaryDir expected, startState;
    const QString input = typed.replace(u'\n', QStringLiteral("\r\n"));
    ConversionRun(LEDGLYPH_APPDIR, expected.path(), env->clock).run(input, options);
    ConversionRun(LEDGLYPH_APPDIR, startState.path(), env->clock).run(input, {});
    QCOMPARE(written, filesIn(expected.path()));
    QVERIFY(clicks.isEmpty() || written != filesIn(startState.path()));
}

void TestMainWindowConversion::emptyInputShowsTheMessageAndWritesNothing()
{
    // The output box was cleared and the progress text shown before the run.
    QStringList atMessage;
    env->host.onShow = [&] { atMessage << panel(StatusPanel::Message) << boxText(outputBox()); };
    click("Command1");

    QCOMPARE(env->host.shown, QStringList{"48 Qorvath 欢迎您: 你还没有输入要取模的字符！！！"});
    QCOMPARE(atMessage, (QStringList{"正在进行转换，请稍等....", ""}));
    QCOMPARE(panel(StatusPanel::Message), QString());
    QCOMPARE(boxText(outputBox()), QString());
    QCOMPARE(env->files(), (QStringList{"ASC16", "hzk16"})); // nothing written
}

void TestMainWindowConversion::refusedRunLeavesEveryFileAsItWas()
{
    typeText(inputBox(), QStringLiteral("中"));
    click("Command1");
    const QList<QByteArray> before = filesIn(env->dir.path());
    QVERIFY(!before.contains(QByteArray()));

    typeText(inputBox(), QStringLiteral("😀")); // neither font library holds it
    inputBox()->moveCursor(QTextCursor::Start);
    click("Command1");
    expectFocusAtEndOfInput();

    // The core words the refusal; the window shows it as it is.
    QTemporaryDir refDir;
    const RunOutcome refusal = ConversionRun(LEDGLYPH_APPDIR, refDir.path(), env->clock).run("中😀", {});
    QCOMPARE(int(refusal.kind), int(RunOutcome::Kind::Refused));
    QCOMPARE(env->host.shown, QStringList{"48 Qorvath 欢迎您: " + refusal.message});
    QCOMPARE(panel(StatusPanel::Message), QString());
    QCOMPARE(boxText(outputBox()), QString());
    QCOMPARE(filesIn(env->dir.path()), before);
}

// An installed program reads its font libraries from its data folder and
// writes its outputs to the per-user folder that the services name.
void TestMainWindowConversion::outputsGoToTheOutputFolderWhenGiven()
{
    QTemporaryDir outputs;
    mainWindow.reset();
    env->services.outputDir = outputs.path();
    mainWindow = std::make_unique<MainWindow>(env->services);
    mainWindow->show();
    QVERIFY(QTest::qWaitForWindowActive(mainWindow.get()));
    typeText(inputBox(), QStringLiteral("中A"));
    click("Command1");

    QCOMPARE(env->host.shown, QStringList());
    QVERIFY(!filesIn(outputs.path()).contains(QByteArray()));
    QCOMPARE(env->files(), (QStringList{"ASC16", "hzk16"}));
}

QTEST_MAIN(TestMainWindowConversion)
#include "test_main_window_conversion.moc"
