// The conversion button: options read from the controls, the files written into
// the program folder, panel 3 and the output box; the empty input and refusals.

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
        QCOMPARE(srcTxt()->textCursor().position(), srcTxt()->document()->characterCount() - 1);
        QVERIFY(!srcTxt()->textCursor().hasSelection());
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
    QTest::addColumn<QString>("panel3");
    QTest::addColumn<QByteArray>("tempChar"); // the input as the core got it
    QTest::addColumn<ConversionOptions>("options");

    using enum OutputFormat;
    using enum CellMode;
    QTest::newRow("both boxes checked, a line break") << QStringList{} << "A中\n1" << "转换完成 共： 160个字模"
        << QByteArray("A\xD6\xD0\r\n1\r\n") << ConversionOptions{C51, Cell16x16, true, true};
    QTest::newRow("A51") << QStringList{"Option1"} << "A中" << "转换完成 共： 64个字模"
        << QByteArray("A\xD6\xD0\r\n") << ConversionOptions{A51, Cell16x16, true, true};
    QTest::newRow("no invert") << QStringList{"Check1"} << "A中" << "转换完成 共： 64个字模"
        << QByteArray("A\xD6\xD0\r\n") << ConversionOptions{C51, Cell16x16, false, true};
    QTest::newRow("no mirror") << QStringList{"Check2"} << "A中" << "转换完成 共： 64个字模"
        << QByteArray("A\xD6\xD0\r\n") << ConversionOptions{C51, Cell16x16, true, false};
    QTest::newRow("8*16, A51, neither") << QStringList{"Option5", "Option1", "Check1", "Check2"} << "ABC"
        << "转换完成 共： 64个字模" << QByteArray("ABC\r\n") << ConversionOptions{A51, Cell8x16, false, false};
}

void TestMainWindowConversion::convertsWithTheOptionsOfTheControls()
{
    QFETCH(QStringList, clicks);
    QFETCH(QString, typed);
    QFETCH(QString, panel3);
    QFETCH(QByteArray, tempChar);
    QFETCH(ConversionOptions, options);

    for (const QString &name : clicks)
        click(name);
    typeText(srcTxt(), typed);
    srcTxt()->moveCursor(QTextCursor::Start);
    click("Command1");

    QCOMPARE(env->host.shown, QStringList());
    expectFocusAtEndOfInput();
    QCOMPARE(panel(3), panel3);
    const QLabel *shown = control<StatusPanels>("StaB1")->panelLabel(3);
    QVERIFY(shown->fontMetrics().horizontalAdvance(shown->text()) <= shown->width());
    const QList<QByteArray> written = filesIn(env->dir.path());
    QCOMPARE(written.at(2), tempChar);
    // The output box shows hz.txt exactly, a lone CR or LF as its symbol.
    QCOMPARE(boxText(text2()).replace(QChar(0x240D), u'\r').replace(QChar(0x240A), u'\n'),
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
    env->host.onShow = [&] { atMessage << panel(3) << boxText(text2()); };
    click("Command1");

    QCOMPARE(env->host.shown, QStringList{"48 Qorvath 欢迎您: 你还没有输入要取模的字符！！！"});
    QCOMPARE(atMessage, (QStringList{"正在进行转换，请稍等....", ""}));
    QCOMPARE(panel(3), QString());
    QCOMPARE(boxText(text2()), QString());
    QCOMPARE(env->files(), (QStringList{"ASC16", "hzk16"})); // nothing written
}

void TestMainWindowConversion::refusedRunLeavesEveryFileAsItWas()
{
    typeText(srcTxt(), QStringLiteral("中"));
    click("Command1");
    const QList<QByteArray> before = filesIn(env->dir.path());
    QVERIFY(!before.contains(QByteArray()));

    typeText(srcTxt(), QStringLiteral("😀")); // neither font library holds it
    srcTxt()->moveCursor(QTextCursor::Start);
    click("Command1");
    expectFocusAtEndOfInput();

    // The core words the refusal; the window shows it as it is.
    QTemporaryDir refDir;
    const RunOutcome refusal = ConversionRun(LEDGLYPH_APPDIR, refDir.path(), env->clock).run("中😀", {});
    QCOMPARE(int(refusal.kind), int(RunOutcome::Kind::Refused));
    QCOMPARE(env->host.shown, QStringList{"48 Qorvath 欢迎您: " + refusal.message});
    QCOMPARE(panel(3), QString());
    QCOMPARE(boxText(text2()), QString());
    QCOMPARE(filesIn(env->dir.path()), before);
}

// An installed program reads its font libraries from its data folder and
// writes its outputs to the per-user folder that the services name.
void TestMainWindowConversion::outputsGoToTheOutputFolderWhenGiven()
{
    QTemporaryDir outputs;
    form.reset();
    env->services.outputDir = outputs.path();
    form = std::make_unique<Form1>(env->services);
    form->show();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
    typeText(srcTxt(), QStringLiteral("中A"));
    click("Command1");

    QCOMPARE(env->host.shown, QStringList());
    QVERIFY(!filesIn(outputs.path()).contains(QByteArray()));
    QCOMPARE(env->files(), (QStringList{"ASC16", "hzk16"}));
}

QTEST_MAIN(TestMainWindowConversion)
#include "test_main_window_conversion.moc"
