// The main window without conversions: start state, layout, the option,
// check-box, button and menu handlers with their texts and focus, the clock.

#include "core/maker_texts.h"
#include "platform/date_time_text.h"
#include "ui/about_window.h"
#include "ui/main_window.h"
#include "ui/status_panels.h"
#include "ui_test_support.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTimer>

#include <memory>

using namespace ledglyph;
using namespace ledglyph::test;

namespace {

const QString kExplainA51 = QStringLiteral("字模输出格式为按汇编程序的格式输出。");
const QString kExplainC51 = QStringLiteral("字模输出格式为按C51程序的格式输出。");
const QString kExplain8x16 = QStringLiteral(
    "字模输出格式为：8*16格式，只对字符有效。此时无法输入汉字取模。两个字符合成一个16*16的点阵字模");
const QString kExplain16x16 =
    QStringLiteral("字模输出格式为：16*16格式，可以输入字符和汉字。字符按16*16的格式输出。");
const QString kExplainInvert =
    QStringLiteral("对字模进行调整。将1变为0，0为变为1。效果为亮的地方变为不亮，不亮的变亮");
const QString kExplainMirror = QStringLiteral(
    "对字节进行调整，每字节中的第0位调整到第7位、第1位调整到第6位.....第7位调到第0位。");

QString expectedHelpText()
{
    const QString s40(40, u' ');
    const QString s80(80, u' ');
    return QStringLiteral("\r\n") + s40 + maker::programTitle + QStringLiteral("说明\r\n"
           "\r\n"
           "本软件是针对LED（LCD）点阵屏提取字模而编写的,能够对汉字或字符进行点阵取模\r\n"
           "\r\n"
           "功能说明\r\n"
           "1、16*16：   能对汉字和字符进行取模，取模数据为16*16的点阵。字符也为16*16的点阵\r\n"
           "2、8*16：    能对字符进行取模。取模的数据为8*16的字模，两个字符合成一个16*16的点阵，不能对汉字取模\r\n"
           "3、黑白反转：能对字模进行调整。将0调为1，1调为0。显示效果为镂空的字符。\r\n"
           "4、左右对调 ： 能对字模进行调整，将16位的点阵数据左右对调。第0位调到第15位，第1位调到第14位....\r\n"
           "5、横向取模: 对字符进行横向取模\r\n"
           "6、纵向取模: 对字符进行纵向取模、(暂无此功能)\r\n"
           "7、支持串口下载字模，下位机程序和电路图请参考程序文件夹中的相关内容。\r\n")
           + maker::termsOfUse + QStringLiteral("\r\n")
           + s80 + QStringLiteral("Qorvath \r\n")
           + s80 + maker::webAddress + QStringLiteral("\r\n")
           + s80 + maker::authorContact + QStringLiteral("\r\n")
           + s80 + maker::authorCredit + QStringLiteral("\r\n")
           + s80 + QStringLiteral("2008-3-22");
}

QString captionOf(const QWidget *widget)
{
    if (const auto *frame = qobject_cast<const QGroupBox *>(widget))
        return frame->title();
    if (const auto *button = qobject_cast<const QAbstractButton *>(widget))
        return button->text();
    return QString();
}

// Clicks a check box or option button on its indicator, any other widget in its middle.
void clickControl(QWidget *widget)
{
    if (qobject_cast<QCheckBox *>(widget) || qobject_cast<QRadioButton *>(widget))
        QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(7, widget->height() / 2));
    else
        QTest::mouseClick(widget, Qt::LeftButton);
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void startStatePanelsAndControls();
    void helpTextIsExact();
    void controlsSitWhereTheLayoutSays_data();
    void controlsSitWhereTheLayoutSays();
    void fontsTooltipsAndTabOrder();
    void windowIsFixedWithoutMaximize();
    void menuEntries();

    void handlersShowTheirTextAndMoveFocus_data();
    void handlersShowTheirTextAndMoveFocus();
    void keyboardSelectionRunsTheHandler();
    void optionGroupsAreIndependent();
    void handlerReplacesAConversionResultInPanel3();

    void clockTickWritesTimeAndDate();

    void exitButtonAndMenuQuit();
    void downloadButtonAsksForTheDownloadWindow();
    void forumMenuLaunchesTheForum();
    void aboutMenuKeepsOneAboutWindow();

private:
    template<typename T = QWidget>
    T *control(const char *name)
    {
        auto *found = m_form->findChild<T *>(QLatin1String(name));
        if (!found)
            qFatal("control %s not found", name);
        return found;
    }
    QPlainTextEdit *srcTxt() { return control<QPlainTextEdit>("SrcTxt"); }
    QPlainTextEdit *text2() { return control<QPlainTextEdit>("Text2"); }
    StatusPanels *panels() { return control<StatusPanels>("StaB1"); }
    QAction *action(const char *name) { return control<QAction>(name); }

    std::unique_ptr<TestServices> m_env;
    std::unique_ptr<Form1> m_form;
};

void TestMainWindow::init()
{
    m_env = std::make_unique<TestServices>();
    m_form = std::make_unique<Form1>(m_env->services);
    m_form->show();
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
}

void TestMainWindow::cleanup()
{
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (qobject_cast<Form2 *>(window))
            delete window;
    }
    m_form.reset();
    m_env.reset();
}

void TestMainWindow::startStatePanelsAndControls()
{
    QCOMPARE(panels()->panelText(1), maker::webAddress);
    QCOMPARE(panels()->panelText(2), QStringLiteral("请输入字符"));
    QCOMPARE(panels()->panelText(3), QString());
    QCOMPARE(panels()->panelText(4), QStringLiteral("C51格式"));
    QCOMPARE(panels()->panelText(5), QString());
    QCOMPARE(panels()->panelText(6), QString());
    for (int panel : {1, 2, 4}) {
        const QLabel *label = panels()->panelLabel(panel);
        QVERIFY2(label->fontMetrics().horizontalAdvance(label->text()) <= label->width(),
                 qPrintable(label->text()));
    }

    QVERIFY(srcTxt()->toPlainText().isEmpty());
    QCOMPARE(QApplication::focusWidget(), srcTxt());
    QVERIFY(control<QRadioButton>("Option6")->isChecked());
    QVERIFY(!control<QRadioButton>("Option5")->isChecked());
    QVERIFY(control<QRadioButton>("Option2")->isChecked());
    QVERIFY(!control<QRadioButton>("Option1")->isChecked());
    QVERIFY(control<QRadioButton>("Option3")->isChecked());
    QVERIFY(!control<QRadioButton>("Option4")->isChecked());
    QVERIFY(!control<QRadioButton>("Option4")->isEnabled());
    QVERIFY(control<QCheckBox>("Check1")->isChecked());
    QVERIFY(control<QCheckBox>("Check2")->isChecked());
    QVERIFY(text2()->isReadOnly());
    QVERIFY(m_env->messageBox.prompts.isEmpty());
    QCOMPARE(m_form->windowTitle(), maker::mainWindowCaption);
    QVERIFY(m_form->windowTitle().endsWith(QStringLiteral("v2.1")));
    QVERIFY(!m_form->windowIcon().isNull());
    // Nothing was written into the program folder at start-up.
    QVERIFY(!m_env->exists(QStringLiteral("Tempchar.txt")));
}

void TestMainWindow::helpTextIsExact()
{
    const QString shown = boxText(text2());
    QCOMPARE(shown, expectedHelpText());

    const QStringList lines = shown.split(QStringLiteral("\r\n"));
    QCOMPARE(lines.size(), 19);
    QVERIFY(lines.first().isEmpty());
    QVERIFY(shown.endsWith(QStringLiteral("2008-3-22")));
    const auto leadingSpaces = [](const QString &line) {
        qsizetype n = 0;
        while (n < line.size() && line.at(n) == u' ')
            ++n;
        return n;
    };
    QCOMPARE(leadingSpaces(lines.at(1)), 40);
    for (int line = 14; line < 19; ++line)
        QCOMPARE(leadingSpaces(lines.at(line)), 80);
    QVERIFY(lines.at(13).startsWith(QStringLiteral("8、")));
}

void TestMainWindow::controlsSitWhereTheLayoutSays_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("container"); // empty: the window's client area
    QTest::addColumn<QRect>("geometry");    // pixels: twips / 15
    QTest::addColumn<QString>("caption");

    const auto row = [](const char *name, const char *container, QRect geometry, const QString &caption) {
        QTest::newRow(name) << QString::fromLatin1(name) << QString::fromLatin1(container) << geometry << caption;
    };
    row("Frame1", "", QRect(8, 8, 665, 73), QStringLiteral("文字字符输入"));
    row("SrcTxt", "", QRect(16, 24, 641, 49), QString());
    row("Frame5", "", QRect(8, 88, 665, 105), QStringLiteral("取模控制"));
    row("Frame6", "Frame5", QRect(8, 16, 105, 81), QString());
    row("Option6", "Frame6", QRect(24, 16, 57, 25), QStringLiteral("16*16"));
    row("Option5", "Frame6", QRect(24, 48, 57, 25), QStringLiteral(" 8*16"));
    row("Frame3", "", QRect(128, 104, 113, 81), QString());
    row("Check1", "", QRect(152, 112, 73, 25), QStringLiteral("黑白反转"));
    row("Option2", "", QRect(152, 136, 65, 25), QStringLiteral("C51格式"));
    row("Option1", "", QRect(152, 160, 65, 17), QStringLiteral("A51格式"));
    row("Frame4", "", QRect(248, 104, 113, 81), QString());
    row("Check2", "", QRect(264, 112, 73, 25), QStringLiteral("左右对调"));
    row("Option3", "Frame4", QRect(16, 32, 73, 25), QStringLiteral("横向取模"));
    row("Option4", "Frame4", QRect(16, 56, 73, 17), QStringLiteral("纵向取模"));
    row("Command1", "", QRect(368, 120, 89, 57), QStringLiteral("取 模"));
    row("Command2", "", QRect(480, 136, 81, 33), QStringLiteral("串口下载"));
    row("exet", "", QRect(584, 136, 81, 33), QStringLiteral("退出程序"));
    row("Frame2", "", QRect(8, 200, 665, 273), QStringLiteral("汉字字模"));
    row("Text2", "", QRect(16, 224, 641, 241), QString());
    row("StaB1", "", QRect(0, 474, 684, 25), QString());
}

void TestMainWindow::controlsSitWhereTheLayoutSays()
{
    QFETCH(QString, name);
    QFETCH(QString, container);
    QFETCH(QRect, geometry);
    QFETCH(QString, caption);

    auto *widget = m_form->findChild<QWidget *>(name);
    QVERIFY(widget);
    const QWidget *expectedParent =
        container.isEmpty() ? m_form->centralWidget() : m_form->findChild<QWidget *>(container);
    QCOMPARE(widget->parentWidget(), expectedParent);
    QCOMPARE(widget->geometry(), geometry);
    QCOMPARE(captionOf(widget), caption);
    QVERIFY(widget->isVisible());
}

void TestMainWindow::fontsTooltipsAndTabOrder()
{
    for (const char *name : {"Frame1", "Frame5", "Frame2", "Option6", "Option5"}) {
        const QFont font = control(name)->font();
        QCOMPARE(font.pointSizeF(), 10.5);
        QCOMPARE(font.weight(), QFont::Normal);
        QVERIFY(font.families().contains(QStringLiteral("宋体")));
    }
    const QFont command1 = control("Command1")->font();
    QCOMPARE(command1.pointSizeF(), 14.25);
    QCOMPARE(command1.weight(), QFont::Bold);
    QVERIFY(command1.families().contains(QStringLiteral("楷体_GB2312")));
    // Whatever face the system picks for the output box, the glyph text's
    // columns line up: every Latin character one column, a Chinese one two.
    const QFontMetrics output(text2()->font());
    const int column = output.horizontalAdvance(u'0');
    for (const QString &piece : {QStringLiteral("0x0F,"), QStringLiteral("DB  "), QStringLiteral("0A5H,"),
                                 QStringLiteral("//;i")})
        QCOMPARE(output.horizontalAdvance(piece), column * piece.size());
    QCOMPARE(output.horizontalAdvance(QStringLiteral("中字")), 4 * column);

    QCOMPARE(srcTxt()->toolTip(), QStringLiteral("输入字符区"));
    QCOMPARE(text2()->toolTip(), QStringLiteral("生成字模区"));
    QCOMPARE(control("Check1")->toolTip(), QStringLiteral("黑白反显示"));
    QCOMPARE(control("Check2")->toolTip(), QStringLiteral("左右8位对调取模"));
    QCOMPARE(control("Command1")->toolTip(), QStringLiteral("点击生成字模"));

    // The focus chain from the input box, controls that take the Tab key only.
    const QStringList expected{"Command1", "Text2", "Check1", "Check2", "Option1", "Option2",
                               "Option3", "Option4", "Option5", "Option6", "exet", "Command2",
                               "SrcTxt"};
    QStringList chain;
    QWidget *widget = srcTxt();
    while (chain.size() < expected.size()) {
        widget = widget->nextInFocusChain();
        if (widget->focusPolicy() & Qt::TabFocus && widget->window() == m_form.get()
            && widget->objectName().size() > 0 && !widget->objectName().startsWith(u"qt_"))
            chain << widget->objectName();
    }
    QCOMPARE(chain, expected);
}

void TestMainWindow::windowIsFixedWithoutMaximize()
{
    QCOMPARE(m_form->centralWidget()->size(), QSize(684, 499));
    QCOMPARE(m_form->minimumSize(), m_form->maximumSize());
    const Qt::WindowFlags flags = m_form->windowFlags();
    QVERIFY(flags & Qt::WindowMinimizeButtonHint);
    QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
    QVERIFY(flags & Qt::WindowCloseButtonHint);
}

void TestMainWindow::menuEntries()
{
    const QList<QAction *> top = m_form->menuBar()->actions();
    QCOMPARE(top.size(), 2);
    QCOMPARE(top.at(0)->text(), QStringLiteral("文件"));
    QCOMPARE(top.at(0)->menu()->objectName(), QStringLiteral("fa"));
    QCOMPARE(top.at(1)->text(), QStringLiteral("帮助"));
    QCOMPARE(top.at(1)->menu()->objectName(), QStringLiteral("HE"));

    const QList<QAction *> file = top.at(0)->menu()->actions();
    QCOMPARE(file.size(), 1);
    QCOMPARE(file.at(0)->objectName(), QStringLiteral("ex"));
    QCOMPARE(file.at(0)->text(), QStringLiteral("退出"));
    const QList<QAction *> help = top.at(1)->menu()->actions();
    QCOMPARE(help.size(), 2);
    QCOMPARE(help.at(0)->objectName(), QStringLiteral("W"));
    QCOMPARE(help.at(0)->text(), QStringLiteral("技术论坛"));
    QCOMPARE(help.at(1)->objectName(), QStringLiteral("g"));
    QCOMPARE(help.at(1)->text(), QStringLiteral("关于"));
}

void TestMainWindow::handlersShowTheirTextAndMoveFocus_data()
{
    QTest::addColumn<QStringList>("before");  // controls clicked first
    QTest::addColumn<QString>("click");
    QTest::addColumn<QString>("shownText");   // Text2; empty: the help text stays
    QTest::addColumn<QString>("panel3");
    QTest::addColumn<QString>("panel4");
    QTest::addColumn<QString>("inputText");
    QTest::addColumn<QString>("focus");

    const QString ab = QStringLiteral("ab");
    QTest::newRow("Option1") << QStringList{} << "Option1" << kExplainA51 << QString()
                             << QStringLiteral("A51格式") << ab << "SrcTxt";
    QTest::newRow("Option2 after Option1") << QStringList{"Option1"} << "Option2" << kExplainC51
                                           << QString() << QStringLiteral("C51格式") << ab << "SrcTxt";
    QTest::newRow("Option2 already selected") << QStringList{} << "Option2" << kExplainC51
                                              << QString() << QStringLiteral("C51格式") << ab << "SrcTxt";
    QTest::newRow("Option3") << QStringList{} << "Option3" << QString()
                             << QStringLiteral("取模方式为横向取模") << QStringLiteral("C51格式") << ab << "SrcTxt";
    QTest::newRow("Option5") << QStringList{} << "Option5" << kExplain8x16 << QString()
                             << QStringLiteral("C51格式") << QString() << "SrcTxt";
    QTest::newRow("Option6 after Option5") << QStringList{"Option5"} << "Option6" << kExplain16x16
                                           << QString() << QStringLiteral("C51格式") << QString() << "SrcTxt";
    QTest::newRow("Check1 off") << QStringList{} << "Check1" << kExplainInvert << QString()
                                << QStringLiteral("C51格式") << ab << "SrcTxt";
    QTest::newRow("Check1 on again") << QStringList{"Check1"} << "Check1" << kExplainInvert
                                     << QString() << QStringLiteral("C51格式") << ab << "SrcTxt";
    QTest::newRow("Check2 off") << QStringList{} << "Check2" << kExplainMirror << QString()
                                << QStringLiteral("C51格式") << ab << "Check2";
    QTest::newRow("Check2 on again") << QStringList{"Check2"} << "Check2" << kExplainMirror
                                     << QString() << QStringLiteral("C51格式") << ab << "Check2";
}

void TestMainWindow::handlersShowTheirTextAndMoveFocus()
{
    QFETCH(QStringList, before);
    QFETCH(QString, click);
    QFETCH(QString, shownText);
    QFETCH(QString, panel3);
    QFETCH(QString, panel4);
    QFETCH(QString, inputText);
    QFETCH(QString, focus);

    QTest::keyClicks(srcTxt(), QStringLiteral("ab"));
    for (const QString &name : before)
        clickControl(m_form->findChild<QWidget *>(name));
    if (!before.contains(QStringLiteral("Option5")))
        QCOMPARE(srcTxt()->toPlainText(), QStringLiteral("ab"));
    // Put the focus and the caret elsewhere, so that a refocus is visible.
    QTextCursor start = srcTxt()->textCursor();
    start.movePosition(QTextCursor::Start);
    srcTxt()->setTextCursor(start);
    control("exet")->setFocus();

    clickControl(m_form->findChild<QWidget *>(click));

    QCOMPARE(boxText(text2()), shownText.isEmpty() ? expectedHelpText() : shownText);
    QCOMPARE(panels()->panelText(3), panel3);
    QCOMPARE(panels()->panelText(4), panel4);
    QCOMPARE(srcTxt()->toPlainText(), inputText);
    QCOMPARE(QApplication::focusWidget()->objectName(), focus);
    if (focus == QLatin1String("SrcTxt")) {
        QCOMPARE(srcTxt()->textCursor().position(), inputText.size());
        QVERIFY(!srcTxt()->textCursor().hasSelection());
    }
    QVERIFY(m_env->messageBox.prompts.isEmpty());
}

void TestMainWindow::keyboardSelectionRunsTheHandler()
{
    auto *option6 = control<QRadioButton>("Option6");
    option6->setFocus();
    QTest::keyClick(option6, Qt::Key_Down);
    QVERIFY(control<QRadioButton>("Option5")->isChecked());
    QCOMPARE(boxText(text2()), kExplain8x16);
    QTRY_COMPARE(QApplication::focusWidget(), srcTxt());

    auto *check2 = control<QCheckBox>("Check2");
    check2->setFocus();
    QTest::keyClick(check2, Qt::Key_Space);
    QVERIFY(!check2->isChecked());
    QCOMPARE(boxText(text2()), kExplainMirror);
    QCOMPARE(QApplication::focusWidget(), check2);
}

void TestMainWindow::optionGroupsAreIndependent()
{
    const auto selected = [this] {
        QStringList names;
        for (const char *name : {"Option1", "Option2", "Option3", "Option4", "Option5", "Option6"}) {
            if (control<QRadioButton>(name)->isChecked())
                names << QLatin1String(name);
        }
        return names;
    };
    QCOMPARE(selected(), (QStringList{"Option2", "Option3", "Option6"}));
    clickControl(control("Option1"));
    QCOMPARE(selected(), (QStringList{"Option1", "Option3", "Option6"}));
    clickControl(control("Option5"));
    QCOMPARE(selected(), (QStringList{"Option1", "Option3", "Option5"}));
    clickControl(control("Option4")); // disabled: nothing changes
    clickControl(control("Option2"));
    QCOMPARE(selected(), (QStringList{"Option2", "Option3", "Option5"}));
}

void TestMainWindow::handlerReplacesAConversionResultInPanel3()
{
    panels()->setPanelText(3, QStringLiteral("转换完成 共： 32个字模"));
    clickControl(control("Option3"));
    QCOMPARE(panels()->panelText(3), QStringLiteral("取模方式为横向取模"));
    QCOMPARE(boxText(text2()), expectedHelpText());
}

void TestMainWindow::clockTickWritesTimeAndDate()
{
    // Empty until the first tick, one interval after the window was created.
    QCOMPARE(panels()->panelText(5), QString());
    QCOMPARE(panels()->panelText(6), QString());
    auto *timer1 = control<QTimer>("Timer1");
    QVERIFY(timer1->isActive());
    QCOMPARE(timer1->interval(), 1000);

    QTRY_VERIFY_WITH_TIMEOUT(!panels()->panelText(6).isEmpty(), 5000);
    QCOMPARE(panels()->panelText(6), timeText(QTime(21, 5, 9)));
    QCOMPARE(panels()->panelText(5), dateText(QDate(2008, 3, 22)));
    QVERIFY(panels()->panelText(6).contains(QStringLiteral("05")));

    m_env->clock.set(QDateTime(QDate(2009, 12, 1), QTime(8, 30, 0)));
    QTRY_COMPARE_WITH_TIMEOUT(panels()->panelText(6), timeText(QTime(8, 30, 0)), 5000);
    QCOMPARE(panels()->panelText(5), dateText(QDate(2009, 12, 1)));
    QCOMPARE(panels()->panelText(2), QStringLiteral("请输入字符")); // the tick writes nothing else
}

void TestMainWindow::exitButtonAndMenuQuit()
{
    clickControl(control("exet"));
    QCOMPARE(m_env->quitCalls, 1);
    action("ex")->trigger();
    QCOMPARE(m_env->quitCalls, 2);
    QVERIFY(m_env->launcher.opened.isEmpty());
}

void TestMainWindow::downloadButtonAsksForTheDownloadWindow()
{
    QSignalSpy spy(m_form.get(), &Form1::downloadRequested);
    clickControl(control("Command2"));
    QCOMPARE(spy.size(), 1);
    QCOMPARE(m_env->quitCalls, 0);
}

void TestMainWindow::forumMenuLaunchesTheForum()
{
    action("W")->trigger();
    QCOMPARE(m_env->launcher.opened, QStringList{maker::forumAddress});
    action("W")->trigger();
    QCOMPARE(m_env->launcher.opened.size(), 2);
}

void TestMainWindow::aboutMenuKeepsOneAboutWindow()
{
    const auto aboutWindows = [] {
        QList<Form2 *> found;
        for (QWidget *window : QApplication::topLevelWidgets()) {
            if (auto *about = qobject_cast<Form2 *>(window); about && about->isVisible())
                found << about;
        }
        return found;
    };
    action("g")->trigger();
    QCOMPARE(aboutWindows().size(), 1);
    Form2 *first = aboutWindows().first();
    QVERIFY(QTest::qWaitForWindowActive(first));

    m_form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
    action("g")->trigger();
    QCOMPARE(aboutWindows().size(), 1);
    QCOMPARE(aboutWindows().first(), first);
    QVERIFY(QTest::qWaitForWindowActive(first)); // brought to the front

    // Closed by its close box: the next "关于" makes a new one.
    QPointer<Form2> closed = first;
    first->close();
    QTRY_VERIFY(closed.isNull());
    action("g")->trigger();
    QCOMPARE(aboutWindows().size(), 1);
}

QTEST_MAIN(TestMainWindow)
#include "test_main_window.moc"
