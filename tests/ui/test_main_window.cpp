// The main window: its start state and layout, the option, check-box, button
// and menu handlers with their texts and focus, the clock, the ways to the
// forum and the output folder; the input box's counts and its refusal of
// Chinese characters in 8*16 mode, driven by typing, input method commits and
// pastes; and the conversion button, which hands the controls' options to the
// core and shows its outcome.

#include "core/conversion_run.h"
#include "platform/code_page_936.h"
#include "platform/date_time_text.h"
#include "tests/support/test_files.h"
#include "ui_test_support.h"

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>

using namespace ledglyph;
using namespace ledglyph::test;
using namespace Qt::StringLiterals;

namespace {

const QString kExplainA51 = QStringLiteral("字模输出格式为按汇编程序的格式输出。");
const QString kExplainC51 = QStringLiteral("字模输出格式为按C51程序的格式输出。");
const QString kExplain8x16 = QStringLiteral("字模输出格式为：8*16格式，只对字符有效。此时无法输入汉字取模。两个字符合成一个16*16的点阵字模");
const QString kExplain16x16 = QStringLiteral("字模输出格式为：16*16格式，可以输入字符和汉字。字符按16*16的格式输出。");
const QString kExplainInvert = QStringLiteral("对字模进行调整。将1变为0，0为变为1。效果为亮的地方变为不亮，不亮的变亮");
const QString kExplainMirror = QStringLiteral("对字节进行调整，每字节中的第0位调整到第7位、第1位调整到第6位.....第7位调到第0位。");

// A file of expected text in expected/ beside this test: the help text (19
// lines joined by CR LF, no line end after the last) and the layout dump.
QString expectedText(const char *name)
{
    return QString::fromUtf8(readFile(QStringLiteral(LEDGLYPH_SOURCE_DIR "/tests/ui/expected/%1").arg(name)));
}

// A handler's click: the controls clicked first, then what the window shows.
// (That 8*16 empties the input is a row of countsAndRefusals.)
using F = MainWindowControls;
using Button = QAbstractButton *(MainWindowControls::*)() const;

struct HandlerCase {
    QList<Button> before = {};
    Button clicked;
    QString shown;                 // the output box
    QString message = {};          // the status panels
    QString format = u"C51格式"_s;
    bool keepsFocus = false;       // else the focus goes back to the input box
};

const QString kRefusal = QStringLiteral("warning Qorvath欢迎您: 注意：8*16格式时不允许输入汉字，要对汉字取模请选择16*16格式！");

// Typed ("\n" as the Enter key), then pasted after the caret was moved left by
// `left` key presses; the box's text at each refusal, its text after (line
// breaks as CR LF) and the counts shown.
struct Edit {
    bool mode8x16 = true;
    QString typed = {};
    int left = 0;
    QString pasted = {};
    QStringList messages = {};
    QString after = {};
    QString counts;
    QString refusal = kRefusal; // the box of every message
};

// The controls clicked, a first conversion of `first` when given, and the
// text typed ("\n" as the Enter key); the options the window must hand the
// core, and whether the core refuses the input.
struct Conversion {
    QList<Button> clicks = {};
    QString first = {};
    QString typed;
    ConversionOptions options = {};
    bool refused = false;
};

} // namespace

Q_DECLARE_METATYPE(HandlerCase)
Q_DECLARE_METATYPE(Edit)
Q_DECLARE_METATYPE(Conversion)

class TestMainWindow : public QObject, MainWindowFixture {
    Q_OBJECT

private slots:
    void init()
    {
        QVERIFY(openMainWindow());
        textsAtMessages.clear();
        env->host.onEveryBox = [this] {
            textsAtMessages << crLfText(*inputBox());
            // A real message box takes the focus; put the caret at the start, too.
            exitButton()->setFocus();
            inputBox()->moveCursor(QTextCursor::Start);
        };
    }
    void cleanup() { closeWindows(); }

    // The start state, the layout, the output box's font and the clock.
    void startStateAndLayout()
    {
        QCOMPARE(panels(), (QStringList{"http://www.qorvath.test", "请输入字符", "", "C51格式", "", ""}));
        QCOMPARE(crLfText(*outputBox()), expectedText("help_text.txt"));
        QVERIFY(outputBox()->isReadOnly());
        QCOMPARE(checkedButtons(), names({invertCheck(), mirrorCheck(), c51Option(), horizontalOption(), cell16x16Option()}));
        QVERIFY(inputBox()->hasFocus());

        QCOMPARE(mainWindow->windowTitle(), u"Qorvath LED点阵取模软件 http://www.qorvath.test 作者：林晓舟 v"_s + LEDGLYPH_VERSION);
        QVERIFY(!mainWindow->windowIcon().isNull());
        // The layout is fixed: the window cannot be resized.
        QCOMPARE(mainWindow->centralWidget()->size(), QSize(684, 499));
        QCOMPARE(mainWindow->minimumSize(), mainWindow->maximumSize());

        const QStringList expected = expectedText("main_window_layout.txt").split(u'\n', Qt::SkipEmptyParts);
        QVERIFY(!expected.isEmpty());
        QStringList layout;
        for (const QString &row : expected)
            layout << describeControl(controlOf(mainWindow.get(), row.section(u' ', 0, 0)), mainWindow->centralWidget());
        QCOMPARE(layout, expected);

        // Whatever face the system picks for the output box, the glyph text's
        // columns line up: every Latin character one column, a Chinese one two.
        const QFontMetrics output(outputBox()->font());
        const int column = output.horizontalAdvance(u'0');
        for (const QString piece : {"0x0F,", "DB  ", "0A5H,", "//;i"})
            QCOMPARE(output.horizontalAdvance(piece), column * piece.size());
        QCOMPARE(output.horizontalAdvance(QStringLiteral("中字")), 4 * column);

        // The date and time panels stay empty until a tick, one interval
        // after the start; the tick writes nothing else.
        QCOMPARE(clockTimer()->interval(), 1000);
        env->clock.set(QDateTime(QDate(2009, 12, 1), QTime(8, 30, 0)));
        const QStringList later{"http://www.qorvath.test", "请输入字符", "", "C51格式", dateText(QDate(2009, 12, 1)),
                                timeText(QTime(8, 30, 0))};
        QTRY_COMPARE_WITH_TIMEOUT(panels(), later, 5000);
    }

    void handlersShowTheirTextAndMoveFocus_data()
    {
        QTest::addColumn<HandlerCase>("expected");
        const auto row = [](const char *tag, const HandlerCase &expected) { QTest::newRow(tag) << expected; };
        // Each option's handler also runs when it is already selected; a check box's on every change.
        row("A51", {.clicked = &F::a51Option, .shown = kExplainA51, .format = "A51格式"});
        row("C51 after A51", {.before = {&F::a51Option}, .clicked = &F::c51Option, .shown = kExplainC51});
        row("C51 already selected", {.clicked = &F::c51Option, .shown = kExplainC51});
        row("horizontal", {.clicked = &F::horizontalOption, .shown = expectedText("help_text.txt"), .message = "取模方式为横向取模"});
        row("8*16", {.clicked = &F::cell8x16Option, .shown = kExplain8x16});
        row("16*16 after 8*16", {.before = {&F::cell8x16Option}, .clicked = &F::cell16x16Option, .shown = kExplain16x16});
        row("invert off", {.clicked = &F::invertCheck, .shown = kExplainInvert});
        row("invert on again", {.before = {&F::invertCheck}, .clicked = &F::invertCheck, .shown = kExplainInvert});
        row("mirror off keeps focus", {.clicked = &F::mirrorCheck, .shown = kExplainMirror, .keepsFocus = true});
        row("mirror on again",
            {.before = {&F::mirrorCheck}, .clicked = &F::mirrorCheck, .shown = kExplainMirror, .keepsFocus = true});
    }

    void handlersShowTheirTextAndMoveFocus()
    {
        QFETCH(HandlerCase, expected);
        QTest::keyClicks(inputBox(), QStringLiteral("ab"));
        for (const Button button : expected.before)
            click(button);
        // Put the focus and the caret elsewhere, so that a refocus is visible.
        inputBox()->moveCursor(QTextCursor::Start);
        exitButton()->setFocus();

        click(expected.clicked);

        QCOMPARE(crLfText(*outputBox()), expected.shown);
        if (expected.shown != expectedText("help_text.txt")) // an explanation wraps, no part hidden
            QTRY_COMPARE(outputBox()->horizontalScrollBar()->maximum(), 0);
        QCOMPARE(panel(StatusPanel::Message), expected.message);
        QCOMPARE(panel(StatusPanel::Format), expected.format);
        QCOMPARE(focusName(), expected.keepsFocus ? (this->*expected.clicked)()->objectName() : inputBox()->objectName());
        if (!expected.keepsFocus)
            QVERIFY(inputBox()->textCursor().atEnd());
        QCOMPARE(env->host.shown, QStringList());
    }

    // Keys as in the programs these users know: Enter presses the focused
    // button, Ctrl+Enter converts from the input box, Alt+F, Alt+H, F10 and Alt
    // alone reach the menus, Tab lands on an option group's selected option
    // and an arrow key selects the next.
    void keysOfButtonsMenusAndOptionGroups()
    {
        // An arrow key moves the focus onto the new option after its handler ran;
        // the window takes it back to the input box.
        cell16x16Option()->setFocus();
        QTest::keyClick(cell16x16Option(), Qt::Key_Down);
        QCOMPARE(crLfText(*outputBox()), kExplain8x16);
        QTRY_VERIFY(inputBox()->hasFocus());

        // The three option pairs do not reach into each other (8*16 came by the
        // arrow key); 纵向取模 is disabled, a click changes nothing.
        click(a51Option());
        click(verticalOption());
        QCOMPARE(checkedButtons(), names({invertCheck(), mirrorCheck(), a51Option(), horizontalOption(), cell8x16Option()}));
        click(cell16x16Option());
        QCOMPARE(checkedButtons(), names({invertCheck(), mirrorCheck(), a51Option(), horizontalOption(), cell16x16Option()}));
        click(c51Option());

        typeText(inputBox(), QStringLiteral("A"));
        convertButton()->setFocus();
        QTest::keyClick(convertButton(), Qt::Key_Return);
        QCOMPARE(panel(StatusPanel::Message), QStringLiteral("转换完成 共： 32个字模"));
        typeText(inputBox(), QStringLiteral("B"));
        QTest::keyClick(inputBox(), Qt::Key_Enter, Qt::ControlModifier | Qt::KeypadModifier);
        QCOMPARE(panel(StatusPanel::Message), QStringLiteral("转换完成 共： 64个字模"));
        QCOMPARE(crLfText(*inputBox()), QStringLiteral("AB"));
        exitButton()->setFocus();
        QTest::keyClick(exitButton(), Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(env->quitCalls, 1);
        exitAction()->trigger(); // 文件 → 退出
        QCOMPARE(env->quitCalls, 2);

        struct MenuKey {
            Qt::Key key;
            Qt::KeyboardModifiers modifiers;
            QMenu *opens;
        };
        for (const MenuKey &press : {MenuKey{.key = Qt::Key_F, .modifiers = Qt::AltModifier, .opens = fileMenu()},
                                     MenuKey{.key = Qt::Key_H, .modifiers = Qt::AltModifier, .opens = helpMenu()},
                                     MenuKey{.key = Qt::Key_F10, .modifiers = {}, .opens = fileMenu()}}) {
            inputBox()->setFocus();
            QTest::keyClick(inputBox(), press.key, press.modifiers);
            QTRY_COMPARE(QApplication::activePopupWidget(), press.opens);
            QApplication::activePopupWidget()->close();
        }
        inputBox()->setFocus();
        QTest::keyClick(inputBox(), Qt::Key_Alt, Qt::AltModifier);
        QCOMPARE(mainWindow->menuBar()->activeAction(), fileMenu()->menuAction());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);

        // From the start state (C51 and 16*16 selected), then with A51 selected.
        struct TabStop {
            QAbstractButton *select; // clicked first, if any
            QAbstractButton *from;
            QAbstractButton *lands;
        };
        for (const TabStop &tab : {TabStop{.select = nullptr, .from = mirrorCheck(), .lands = c51Option()},
                                   TabStop{.select = nullptr, .from = horizontalOption(), .lands = cell16x16Option()},
                                   TabStop{.select = a51Option(), .from = mirrorCheck(), .lands = a51Option()},
                                   TabStop{.select = a51Option(), .from = a51Option(), .lands = horizontalOption()}}) {
            if (tab.select)
                click(tab.select);
            tab.from->setFocus();
            QTest::keyClick(tab.from, Qt::Key_Tab);
            QVERIFY2(tab.lands->hasFocus(), qPrintable(tab.from->objectName()));
        }

    }

    // The counts and the result of the longest text a run converts fit their
    // panels, and the panels around them keep their places.
    void longestTextFitsThePanels()
    {
        const StatusPanels *bar = statusPanels();
        const auto fits = [bar](StatusPanel which) {
            const QLabel *shown = bar->panelLabel(which);
            return shown->fontMetrics().horizontalAdvance(shown->text()) <= shown->contentsRect().width();
        };
        typeText(inputBox(), QString(12, u'x') + QString(1000, u'中'));
        QCOMPARE(panel(StatusPanel::InputCounts), QStringLiteral(" 12个字符 1000个汉字"));
        QVERIFY(fits(StatusPanel::InputCounts));
        click(convertButton());
        QCOMPARE(panel(StatusPanel::Message), QStringLiteral("转换完成 共： 32384个字模"));
        QVERIFY(fits(StatusPanel::Message));
        QList<int> leftEdges;
        for (const StatusPanel which : {StatusPanel::Address, StatusPanel::Format, StatusPanel::Date, StatusPanel::Time})
            leftEdges << bar->panelLabel(which)->parentWidget()->x();
        QCOMPARE(leftEdges, (QList<int>{0, 448, 530, 599}));
    }


    void countsAndRefusals_data()
    {
        QTest::addColumn<Edit>("edit");
        const auto row = [](const char *tag, const Edit &edit) { QTest::newRow(tag) << edit; };
        row("full-width and symbols", {.mode8x16 = false, .typed = "，Ａ€", .after = "，Ａ€", .counts = " 1个字符 2个汉字"});
        // Without a code page 936 code an emoji (or a no-break space) is no Chinese character either.
        row("emoji has no code page 936 code", {.mode8x16 = false, .typed = "a😀", .after = "a😀", .counts = " 2个字符 0个汉字"});

        // In 8*16 mode, one message per character cut from the end (not at the
        // caret) while a Chinese character is left.
        row("selecting 8*16 empties the box", {.counts = " 0个字符 0个汉字"});
        row("ASCII and a line break (CR LF) pass", {.typed = "a b\n~", .after = "a b\r\n~", .counts = " 6个字符 0个汉字"});
        row("中 typed after ab", {.typed = "ab中", .messages = {"ab中"}, .after = "ab", .counts = " 2个字符 0个汉字"});
        row("中 pasted between a and b of abc", {.typed = "abc", .left = 2, .pasted = "中",
                                                .messages = {"a中bc", "a中b", "a中"}, .after = "a", .counts = " 1个字符 0个汉字"});
        // The box holds a line break as one character: it is cut as a whole, with one message.
        row("line break at the end cut as one",
            {.pasted = "x中\r\n", .messages = {"x中\r\n", "x中"}, .after = "x", .counts = " 1个字符 0个汉字"});
        row("emoji refused as not ASCII, cut as a whole pair",
            {.typed = "x😀", .messages = {"x😀"}, .after = "x", .counts = " 1个字符 0个汉字",
             .refusal = "warning Qorvath欢迎您: 注意：8*16格式时只能输入ASCII字符，第2个字符“😀”不是 ASCII 字符！"});
    }

    void countsAndRefusals()
    {
        QFETCH(Edit, edit);
        if (edit.mode8x16) {
            typeText(inputBox(), QStringLiteral("中")); // selecting 8*16 must empty the box and count again
            click(cell8x16Option());
        }
        typeText(inputBox(), edit.typed);
        for (int press = 0; press < edit.left; ++press)
            QTest::keyClick(inputBox(), Qt::Key_Left);
        if (!edit.pasted.isEmpty())
            paste(edit.pasted);

        QCOMPARE(textsAtMessages, edit.messages);
        QCOMPARE(env->host.shown, QStringList(edit.messages.size(), edit.refusal));
        QCOMPARE(crLfText(*inputBox()), edit.after);
        QCOMPARE(panel(StatusPanel::InputCounts), edit.counts);
        if (!edit.messages.isEmpty()) { // the focus and the caret come back from the message
            QVERIFY(inputBox()->hasFocus());
            QVERIFY(inputBox()->textCursor().atEnd());
        }
    }

    void longPasteIsCutWithoutNesting()
    {
        // One message per character, from the end back to the first Chinese character.
        click(cell8x16Option());
        int changeHandlings = 0;
        QObject::connect(inputBox(), &QPlainTextEdit::textChanged, inputBox(), [&] { ++changeHandlings; });
        paste(QStringLiteral("ok") + QString(3000, u'中') + QString(2000, u'z'));
        QCOMPARE(env->host.shown, QStringList(5000, kRefusal));
        QCOMPARE(crLfText(*inputBox()), QStringLiteral("ok"));
        QCOMPARE(changeHandlings, 1); // the paste itself; the cuts start no handling of their own
    }

    void convertShowsTheOutcomeOfTheCore_data()
    {
        QTest::addColumn<Conversion>("run");
        const auto row = [](const char *tag, const Conversion &run) { QTest::newRow(tag) << run; };
        // "no invert" also tells the two check boxes apart; the third row
        // changes every option from the start state's.
        row("both boxes checked, a line break", {.typed = "A中\n1"});
        row("no invert", {.clicks = {&F::invertCheck}, .typed = "A中", .options = {.invert = false}});
        row("8*16, A51, neither", {.clicks = {&F::cell8x16Option, &F::a51Option, &F::invertCheck, &F::mirrorCheck},
                                   .typed = "ABC",
                                   .options = {.format = OutputFormat::A51, .cellMode = CellMode::Cell8x16,
                                               .invert = false, .mirror = false}});
        row("empty input refused", {.typed = "", .refused = true});
        row("no glyph for an emoji after a conversion", {.first = "中", .typed = "😀", .refused = true});
    }

    void convertShowsTheOutcomeOfTheCore()
    {
        QFETCH(Conversion, run);
        for (const Button button : run.clicks)
            click(button);
        if (!run.first.isEmpty()) {
            typeText(inputBox(), run.first);
            click(convertButton());
        }
        QStringList atMessage;
        env->host.onEveryBox = [&] { atMessage << panel(StatusPanel::Message) << crLfText(*outputBox()); };
        typeText(inputBox(), run.typed);
        inputBox()->moveCursor(QTextCursor::Start);
        click(convertButton());

        // The core, tested on its own, run directly with the row's options and
        // the input with CR LF line breaks: the window must have handed it
        // those, and the row must tell them apart from the start state's.
        QTemporaryDir expected, startState;
        const QString input = run.first + run.typed.replace(u'\n', QStringLiteral("\r\n"));
        const RunOutcome outcome = ConversionRun(LEDGLYPH_APPDIR, expected.path(), env->clock).run(input, run.options);
        QCOMPARE(outcome.kind != RunOutcome::Kind::Completed, run.refused);
        if (run.refused) {
            // The message over an emptied output box and message panel, the
            // progress text shown before the run. (That a refused run leaves
            // every file as it was, test_conversion_run's refusals prove.)
            QCOMPARE(env->host.shown, QStringList{"warning Qorvath 欢迎您: " + outcome.message});
            QCOMPARE(atMessage, (QStringList{"正在进行转换，请稍等....", ""}));
            QCOMPARE(panel(StatusPanel::Message), QString());
            QCOMPARE(crLfText(*outputBox()), QString());
        } else {
            ConversionRun(LEDGLYPH_APPDIR, startState.path(), env->clock).run(input, {});
            const QList<QByteArray> written = outputsIn(env->dir.path());
            QCOMPARE(written, outputsIn(expected.path()));
            QVERIFY(run.clicks.isEmpty() || written != outputsIn(startState.path()));
            QCOMPARE(env->host.shown, QStringList());
            QCOMPARE(panel(StatusPanel::Message), outcome.message);
            // The output box shows hz.txt exactly, a lone CR or LF as its symbol.
            QCOMPARE(crLfText(*outputBox()).replace(QChar(0x240D), u'\r').replace(QChar(0x240A), u'\n'),
                     cp936::decode(written.at(0)));
        }
        // After 取 模, whatever its outcome, typing goes on at the end of the input.
        QVERIFY(inputBox()->hasFocus());
        QVERIFY(inputBox()->textCursor().atEnd() && !inputBox()->textCursor().hasSelection());
    }

    // An installed program reads its font libraries from its data folder and
    // writes its outputs to the per-user folder that the services name; a line
    // above the glyph text names that folder, and 文件 → 打开输出文件夹 opens it.
    // At its start the window completes a write a kill cut off while replacing.
    void outputsGoToTheOutputFolderWhenGiven()
    {
        QTemporaryDir outputs;
        services->outputDir = outputs.path();
        writeFile(outputs.filePath(QStringLiteral("hz.txt")), "old");
        writeFile(outputs.filePath(QStringLiteral("hz.txt.k3v9q2m7x1ab.ledglyph-new")), "new");
        writeFile(outputs.filePath(QStringLiteral("k3v9q2m7x1ab.ledglyph-replacing")), "");
        MainWindow installed(*services);
        QCOMPARE(QDir(outputs.path()).entryList(QDir::Files), QStringList{QStringLiteral("hz.txt")});
        QCOMPARE(readFile(outputs.filePath(QStringLiteral("hz.txt"))), "new");
        const MainWindowControls installedForm(&installed);
        installedForm.inputBox()->setPlainText(QStringLiteral("中A"));
        installedForm.convertButton()->click();

        const QList<QByteArray> written = outputsIn(outputs.path());
        QVERIFY(!written.contains(QByteArray()));
        QCOMPARE(crLfText(*installedForm.outputBox()),
                 QStringLiteral("hz.txt、Tempchar.txt、zimuo.bin 已写入：") + QDir::toNativeSeparators(outputs.path())
                     + QStringLiteral("\r\n") + cp936::decode(written.at(0)));
        installedForm.openOutputFolderAction()->trigger();
        QCOMPARE(env->host.opened, QStringList{outputs.path()});
        QCOMPARE(env->host.shown, QStringList());
        // Nothing in the program folder, neither from this run nor from the
        // main window that init() opened there.
        QCOMPARE(QDir(env->dir.path()).entryList(QDir::Files), (QStringList{"ASC16", "hzk16"}));
    }

    // The forum opens from the menu, the about window's link and its free
    // surface (its credits open nothing), the output folder from the menu.
    // When no browser or file manager can be started, a message gives the
    // address or the folder to copy.
    void forumAndFolderOpenOrAreNamed()
    {
        env->host.launcherStarts = false;
        forumAction()->trigger();
        openOutputFolderAction()->trigger();
        aboutAction()->trigger();
        AboutWindow *about = onlyWindow<AboutWindow>();
        QVERIFY(about);
        const AboutWindowControls form2(about);
        for (QLabel *credit : form2.credits())
            QTest::mouseClick(credit, Qt::LeftButton, {}, QPoint(3, 5));
        QTest::mouseClick(form2.forumLink(), Qt::LeftButton, {}, QPoint(10, 8));
        QTest::mouseClick(about, Qt::LeftButton, {}, QPoint(8, 150)); // left of the labels, bottom

        const QString forum = u"http://www.qorvath.test/bbs/"_s;
        const QString forumBox = "warning Qorvath 欢迎您: 无法启动浏览器打开技术论坛。请把下面的网址复制到浏览器的地址栏中：\n" + forum;
        QCOMPARE(env->host.opened, (QStringList{forum, env->dir.path(), forum, forum}));
        QCOMPARE(env->host.shown,
                 (QStringList{forumBox,
                              "warning Qorvath 欢迎您: 无法启动文件管理器打开输出文件夹。hz.txt、Tempchar.txt 和 zimuo.bin "
                              "在这个文件夹中：\n" + QDir::toNativeSeparators(env->dir.path()),
                              forumBox, forumBox}));
    }

private:
    QStringList panels() const
    {
        QStringList texts;
        for (const StatusPanel which : kStatusPanels)
            texts << panel(which);
        return texts;
    }
    QStringList checkedButtons() const
    {
        QList<QAbstractButton *> checked = mainWindow->findChildren<QAbstractButton *>();
        checked.removeIf([](const QAbstractButton *button) { return !button->isChecked(); });
        return names(checked);
    }
    static QStringList names(const QList<QAbstractButton *> &buttons) // in name order
    {
        QStringList names;
        for (const QAbstractButton *button : buttons)
            names << button->objectName();
        names.sort();
        return names;
    }
    void paste(const QString &text)
    {
        QApplication::clipboard()->setText(text);
        inputBox()->paste();
    }

    QStringList textsAtMessages; // the input box's text at every message, as seen behind the box
};

QTEST_MAIN(TestMainWindow)
#include "test_main_window.moc"
