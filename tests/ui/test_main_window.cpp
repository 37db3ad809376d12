// The main window without conversions: start state and layout, the option,
// check-box, button and menu handlers with their texts and focus, the clock.

#include "platform/date_time_text.h"
#include "tests/support/test_files.h"
#include "ui/window_texts.h"
#include "ui_test_support.h"

#include <QAction>
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

// A file of expected text in expected/ beside this test; the run ends when it is missing.
QString expectedText(const QString &name)
{
    const QByteArray bytes = readFile(QStringLiteral(LEDGLYPH_SOURCE_DIR "/tests/ui/expected/") + name);
    if (bytes.isEmpty())
        qFatal("expected text %s not found", qPrintable(name));
    return QString::fromUtf8(bytes);
}

// The help text is 19 lines joined by CR LF with no line end after the last.
QString helpText() { return expectedText(QStringLiteral("help_text.txt")); }

// A control as a line of the layout dump: its container when not the client
// area, its geometry in pixels (twips / 15), caption and tooltip.
QString describe(const QWidget *widget, const QWidget *client)
{
    QString text = widget->objectName();
    if (widget->parentWidget() != client)
        text += QStringLiteral(" in ") + widget->parentWidget()->objectName();
    const QRect at = widget->geometry();
    text += QStringLiteral(" at %1,%2 %3x%4").arg(at.x()).arg(at.y()).arg(at.width()).arg(at.height());
    const QString caption = widget->property(widget->inherits("QGroupBox") ? "title" : "text").toString();
    if (!caption.isEmpty())
        text += QStringLiteral(" '%1'").arg(caption);
    if (!widget->toolTip().isEmpty())
        text += QStringLiteral(" tip '%1'").arg(widget->toolTip());
    return widget->isVisible() ? text : text + QStringLiteral(" hidden");
}

// A handler's click: the controls clicked first, then what the window shows.
// (That 8*16 empties the input is a row of the input monitor's test.)
struct HandlerCase {
    QStringList before;
    QString clicked;
    QString shown; // Text2
    QString message, format; // status panels
    QString focus = QStringLiteral("SrcTxt");
};

} // namespace

Q_DECLARE_METATYPE(HandlerCase)

class TestMainWindow : public QObject, MainWindowFixture {
    Q_OBJECT

private slots:
    void init() { QVERIFY(openMainWindow()); }
    void cleanup() { closeWindows(); }

    void startState()
    {
        QCOMPARE(panels(), (QStringList{window_texts::webAddress, "请输入字符", "", "C51格式", "", ""}));
        QCOMPARE(boxText(outputBox()), helpText());
        QVERIFY(outputBox()->isReadOnly());
        QCOMPARE(checkedButtons(), (QStringList{"Check1", "Check2", "Option2", "Option3", "Option6"}));
        QCOMPARE(focusName(), "SrcTxt");
        QCOMPARE(env->files(), (QStringList{"ASC16", "hzk16"})); // nothing written

        QCOMPARE(mainWindow->windowTitle(), window_texts::mainWindowCaption);
        QVERIFY(!mainWindow->windowIcon().isNull());
        // The layout is fixed: the window cannot be resized.
        QCOMPARE(mainWindow->centralWidget()->size(), QSize(684, 499));
        QCOMPARE(mainWindow->minimumSize(), mainWindow->maximumSize());
    }

    void layoutAndOutputFont()
    {
        const QStringList expected =
            expectedText(QStringLiteral("main_window_layout.txt")).split(u'\n', Qt::SkipEmptyParts);
        QStringList layout;
        for (const QString &row : expected)
            layout << describe(control(row.section(u' ', 0, 0)), mainWindow->centralWidget());
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
        QTest::newRow("Option1") << HandlerCase{{}, "Option1", kExplainA51, "", "A51格式"};
        QTest::newRow("Option2 after Option1") << HandlerCase{{"Option1"}, "Option2", kExplainC51, "", c51};
        QTest::newRow("Option2 already selected") << HandlerCase{{}, "Option2", kExplainC51, "", c51};
        QTest::newRow("Option3") << HandlerCase{{}, "Option3", helpText(), "取模方式为横向取模", c51};
        QTest::newRow("Option5") << HandlerCase{{}, "Option5", kExplain8x16, "", c51};
        QTest::newRow("Option6 after Option5") << HandlerCase{{"Option5"}, "Option6", kExplain16x16, "", c51};
        QTest::newRow("Check1 off") << HandlerCase{{}, "Check1", kExplainInvert, "", c51};
        QTest::newRow("Check1 on again") << HandlerCase{{"Check1"}, "Check1", kExplainInvert, "", c51};
        QTest::newRow("Check2 off keeps focus") << HandlerCase{{}, "Check2", kExplainMirror, "", c51, "Check2"};
        QTest::newRow("Check2 on again") << HandlerCase{{"Check2"}, "Check2", kExplainMirror, "", c51, "Check2"};
    }

    void handlersShowTheirTextAndMoveFocus()
    {
        QFETCH(HandlerCase, expected);
        QTest::keyClicks(inputBox(), QStringLiteral("ab"));
        for (const QString &name : expected.before)
            click(name);
        // Put the focus and the caret elsewhere, so that a refocus is visible.
        inputBox()->moveCursor(QTextCursor::Start);
        control("exet")->setFocus();

        click(expected.clicked);

        QCOMPARE(boxText(outputBox()), expected.shown);
        QCOMPARE(panel(StatusPanel::Message), expected.message);
        QCOMPARE(panel(StatusPanel::Format), expected.format);
        QCOMPARE(focusName(), expected.focus);
        if (expected.focus == QLatin1String("SrcTxt"))
            QVERIFY(inputBox()->textCursor().atEnd());
        QCOMPARE(env->host.shown, QStringList());
    }

    void keyboardSelectionAndOptionGroups()
    {
        // An arrow key moves the focus onto the new option after its handler ran;
        // the window takes it back to the input box.
        control("Option6")->setFocus();
        QTest::keyClick(control("Option6"), Qt::Key_Down);
        QCOMPARE(boxText(outputBox()), kExplain8x16);
        QTRY_COMPARE(focusName(), "SrcTxt");

        // The three option pairs do not reach into each other (Option5 came by
        // the arrow key); Option4 is disabled, a click changes nothing.
        click("Option1");
        click("Option4");
        QCOMPARE(checkedButtons(), (QStringList{"Check1", "Check2", "Option1", "Option3", "Option5"}));
        click("Option6");
        QCOMPARE(checkedButtons(), (QStringList{"Check1", "Check2", "Option1", "Option3", "Option6"}));
    }

    // The date and time panels stay empty (see startState) until a tick, one
    // interval after the start; the tick writes nothing else.
    void clockTickWritesTimeAndDate()
    {
        QCOMPARE(control<QTimer>("Timer1")->interval(), 1000);
        env->clock.set(QDateTime(QDate(2009, 12, 1), QTime(8, 30, 0)));
        const QStringList later{window_texts::webAddress, "请输入字符", "", "C51格式", dateText(QDate(2009, 12, 1)),
                                timeText(QTime(8, 30, 0))};
        QTRY_COMPARE_WITH_TIMEOUT(panels(), later, 5000);
    }

    // "串口下载" is tested with the hand-over to the download window, the forum's
    // menu entry with the about window's two other ways to the forum.
    void quitButtonAndMenuEntry()
    {
        click("exet");
        QCOMPARE(env->quitCalls, 1);
        control<QAction>("ex")->trigger();
        QCOMPARE(env->quitCalls, 2);
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
};

QTEST_MAIN(TestMainWindow)
#include "test_main_window.moc"
