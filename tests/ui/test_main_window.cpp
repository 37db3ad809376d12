// The main window: its start state and layout, the option, check-box, button
// and menu handlers with their texts and focus, the clock; the input box's
// counts and its refusal of Chinese characters in 8*16 mode, driven by typing,
// input method commits and pastes; and the conversion button, which hands the
// controls' options to the core and shows its outcome.

#include "core/conversion_run.h"
#include "platform/code_page_936.h"
#include "platform/date_time_text.h"
#include "tests/support/test_files.h"
#include "ui/window_texts.h"
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
    QList<Button> before;
    Button clicked;
    QString shown; // the output box
    QString message, format; // status panels
    bool keepsFocus = false; // else the focus goes back to the input box
};

const QString kRefusal = QStringLiteral("warning Qorvath欢迎您: 注意：8*16格式时不允许输入汉字，要对汉字取模请选择16*16格式！");

QString counts(int singleByte, int chinese)
{
    return QStringLiteral(" %1个字符 %2个汉字").arg(singleByte).arg(chinese);
}

// Typed ("\n" as the Enter key), then pasted after the caret was moved left by
// `left` key presses; the box's text at each refusal, its text after (line
// breaks as CR LF) and the counts shown.
struct Edit {
    bool mode8x16;
    QString typed;
    int left;
    QString pasted;
    QStringList messages;
    QString after;
    QString countsShown;
    QString refusal = kRefusal; // the box of every message
};

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
    QList<Button> clicks;
    QString first;
    QString typed;
    ConversionOptions options;
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

    void startState()
    {
        QCOMPARE(panels(), (QStringList{window_texts::webAddress, "请输入字符", "", "C51格式", "", ""}));
        QCOMPARE(crLfText(*outputBox()), expectedText("help_text.txt"));
        QVERIFY(outputBox()->isReadOnly());
        QCOMPARE(checkedButtons(), names({invertCheck(), mirrorCheck(), c51Option(), horizontalOption(), cell16x16Option()}));
        QVERIFY(inputBox()->hasFocus());

        QCOMPARE(mainWindow->windowTitle(), window_texts::mainWindowCaption);
        QVERIFY(!mainWindow->windowIcon().isNull());
        // The layout is fixed: the window cannot be resized.
        QCOMPARE(mainWindow->centralWidget()->size(), QSize(684, 499));
        QCOMPARE(mainWindow->minimumSize(), mainWindow->maximumSize());
    }

    void layoutAndOutputFont()
    {
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
    }

    void handlersShowTheirTextAndMoveFocus_data()
    {
        QTest::addColumn<HandlerCase>("expected");
        const QString c51 = QStringLiteral("C51格式");
        // Each option's handler also runs when it is already selected; a check box's on every change.
        QTest::newRow("A51") << HandlerCase{{}, &F::a51Option, kExplainA51, "", "A51格式"};
        QTest::newRow("C51 after A51") << HandlerCase{{&F::a51Option}, &F::c51Option, kExplainC51, "", c51};
        QTest::newRow("C51 already selected") << HandlerCase{{}, &F::c51Option, kExplainC51, "", c51};
        QTest::newRow("horizontal") << HandlerCase{{}, &F::horizontalOption, expectedText("help_text.txt"), "取模方式为横向取模", c51};
        QTest::newRow("8*16") << HandlerCase{{}, &F::cell8x16Option, kExplain8x16, "", c51};
        QTest::newRow("16*16 after 8*16") << HandlerCase{{&F::cell8x16Option}, &F::cell16x16Option, kExplain16x16, "", c51};
        QTest::newRow("invert off") << HandlerCase{{}, &F::invertCheck, kExplainInvert, "", c51};
        QTest::newRow("invert on again") << HandlerCase{{&F::invertCheck}, &F::invertCheck, kExplainInvert, "", c51};
        QTest::newRow("mirror off keeps focus") << HandlerCase{{}, &F::mirrorCheck, kExplainMirror, "", c51, true};
        QTest::newRow("mirror on again") << HandlerCase{{&F::mirrorCheck}, &F::mirrorCheck, kExplainMirror, "", c51, true};
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

    void keyboardSelectionAndOptionGroups()
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
    }

    // Keys as in the programs these users know: Enter presses the focused
    // button, Ctrl+Enter converts from the input box, Alt+F, Alt+H, F10 and Alt
    // alone reach the menus, and Tab lands on an option group's selected option.
    void keysOfButtonsMenusAndOptionGroups()
    {
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

    // The date and time panels stay empty (see startState) until a tick, one
    // interval after the start; the tick writes nothing else.
    void clockTickWritesTimeAndDate()
    {
        QCOMPARE(clockTimer()->interval(), 1000);
        env->clock.set(QDateTime(QDate(2009, 12, 1), QTime(8, 30, 0)));
        const QStringList later{window_texts::webAddress, "请输入字符", "", "C51格式", dateText(QDate(2009, 12, 1)),
                                timeText(QTime(8, 30, 0))};
        QTRY_COMPARE_WITH_TIMEOUT(panels(), later, 5000);
    }

    // "串口下载" is tested with the hand-over to the download window, the forum's
    // menu entry with the about window's two other ways to the forum.
    void quitButtonAndMenuEntry()
    {
        click(exitButton());
        QCOMPARE(env->quitCalls, 1);
        exitAction()->trigger();
        QCOMPARE(env->quitCalls, 2);
    }

    void countsAndRefusals_data()
    {
        QTest::addColumn<Edit>("edit");
        const QString none = counts(0, 0);
        QTest::newRow("full-width and symbols") << Edit{false, "，Ａ€", 0, "", {}, "，Ａ€", counts(1, 2)};
        // Without a code page 936 code an emoji is no Chinese character either.
        QTest::newRow("emoji has no code page 936 code") << Edit{false, "a😀", 0, "", {}, "a😀", counts(2, 0)};
        QTest::newRow("no-break space is not a space") << Edit{false, "a\u00A0", 0, "", {}, "a\u00A0", counts(2, 0)};

        // In 8*16 mode, one message per character cut from the end (not at the
        // caret) while a Chinese character is left.
        QTest::newRow("selecting 8*16 empties the box") << Edit{true, "", 0, "", {}, "", none};
        QTest::newRow("ASCII and a line break (CR LF) pass") << Edit{true, "a b\n~", 0, "", {}, "a b\r\n~", counts(6, 0)};
        QTest::newRow("中 typed after ab") << Edit{true, "ab中", 0, "", {"ab中"}, "ab", counts(2, 0)};
        QTest::newRow("中 pasted between a and b of abc")
            << Edit{true, "abc", 2, "中", {"a中bc", "a中b", "a中"}, "a", counts(1, 0)};
        // The box holds a line break as one character: it is cut as a whole, with one message.
        QTest::newRow("line break at the end cut as one")
            << Edit{true, "", 0, "x中\r\n", {"x中\r\n", "x中"}, "x", counts(1, 0)};
        QTest::newRow("emoji refused as not ASCII, cut as a whole pair")
            << Edit{true, "x😀", 0, "", {"x😀"}, "x", counts(1, 0),
                    "warning Qorvath欢迎您: 注意：8*16格式时只能输入ASCII字符，第2个字符“😀”不是 ASCII 字符！"};
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
        QCOMPARE(panel(StatusPanel::InputCounts), edit.countsShown);
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
        using enum OutputFormat;
        using enum CellMode;
        // "no invert" also tells the two check boxes apart; the third row
        // changes every option from the start state's.
        QTest::newRow("both boxes checked, a line break") << Conversion{{}, "", "A中\n1", {C51, Cell16x16, true, true}};
        QTest::newRow("no invert") << Conversion{{&F::invertCheck}, "", "A中", {C51, Cell16x16, false, true}};
        QTest::newRow("8*16, A51, neither") << Conversion{{&F::cell8x16Option, &F::a51Option, &F::invertCheck, &F::mirrorCheck}, "", "ABC",
                                                          {A51, Cell8x16, false, false}};
        QTest::newRow("empty input refused") << Conversion{{}, "", "", {}, true};
        QTest::newRow("no glyph for an emoji after a conversion") << Conversion{{}, "中", "😀", {}, true};
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
            // every file as it was is test_run_refusals' part.)
            QCOMPARE(env->host.shown, QStringList{"warning Qorvath 欢迎您: " + outcome.message});
            QCOMPARE(atMessage, (QStringList{"正在进行转换，请稍等....", ""}));
            QCOMPARE(panel(StatusPanel::Message), QString());
            QCOMPARE(crLfText(*outputBox()), QString());
        } else {
            ConversionRun(LEDGLYPH_APPDIR, startState.path(), env->clock).run(input, {});
            const QList<QByteArray> written = filesIn(env->dir.path());
            QCOMPARE(written, filesIn(expected.path()));
            QVERIFY(run.clicks.isEmpty() || written != filesIn(startState.path()));
            QCOMPARE(env->host.shown, QStringList());
            QCOMPARE(panel(StatusPanel::Message), outcome.message);
            const QLabel *shown = statusPanels()->panelLabel(StatusPanel::Message);
            QVERIFY(shown->fontMetrics().horizontalAdvance(shown->text()) <= shown->width());
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

        const QList<QByteArray> written = filesIn(outputs.path());
        QVERIFY(!written.contains(QByteArray()));
        QCOMPARE(crLfText(*installedForm.outputBox()),
                 QStringLiteral("hz.txt、Tempchar.txt、zimuo.bin 已写入：") + QDir::toNativeSeparators(outputs.path())
                     + QStringLiteral("\r\n") + cp936::decode(written.at(0)));
        installedForm.openOutputFolderAction()->trigger();
        QCOMPARE(env->host.opened, QStringList{outputs.path()});
        QCOMPARE(env->host.shown, QStringList());
        // Nothing in the program folder, neither from this run nor from the
        // main window that init() opened there.
        QCOMPARE(env->files(), (QStringList{"ASC16", "hzk16"}));
    }

    // When no browser or file manager can be started, a message gives the
    // address or the folder to copy: from the menu and from the about window's link.
    void whatCannotBeOpenedIsNamed()
    {
        env->host.launcherStarts = false;
        forumAction()->trigger();
        openOutputFolderAction()->trigger();
        aboutAction()->trigger();
        AboutWindow *about = onlyWindow<AboutWindow>();
        QVERIFY(about);
        QTest::mouseClick(AboutWindowControls(about).forumLink(), Qt::LeftButton, {}, QPoint(10, 8));

        const QString forum = "warning Qorvath 欢迎您: 无法启动浏览器打开技术论坛。请把下面的网址复制到浏览器的地址栏中：\n"
                              + window_texts::forumAddress;
        QCOMPARE(env->host.opened, (QStringList{window_texts::forumAddress, env->dir.path(), window_texts::forumAddress}));
        QCOMPARE(env->host.shown,
                 (QStringList{forum,
                              "warning Qorvath 欢迎您: 无法启动文件管理器打开输出文件夹。hz.txt、Tempchar.txt 和 zimuo.bin "
                              "在这个文件夹中：\n" + QDir::toNativeSeparators(env->dir.path()),
                              forum}));
    }

private:
    QStringList panels() const
    {
        QStringList texts;
        for (const StatusPanel which : kStatusPanels)
            texts << panel(which);
        return texts;
    }
    QStringList checkedButtons() const // in name order
    {
        QStringList names;
        for (const QAbstractButton *button : mainWindow->findChildren<QAbstractButton *>()) {
            if (button->isChecked())
                names << button->objectName();
        }
        names.sort();
        return names;
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
