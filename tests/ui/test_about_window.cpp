// The about window: its labels, the link's hover colour, one window for the
// program, and the three ways the forum is launched (menu entry, link label,
// the window's free surface).

#include "ui/window_texts.h"
#include "ui_test_support.h"

#include <QAction>
#include <QLabel>

using namespace ledglyph;
using namespace ledglyph::test;

class TestAboutWindow : public QObject, MainWindowFixture {
    Q_OBJECT

private slots:
    void init() { QVERIFY(openMainWindow()); }
    void cleanup() { closeWindows(); }

    void labelsAndWindow();
    void hoverTurnsTheLinkRedUntilClosed();
    void threeLaunchesOpenTheForum();
    void aboutEntryKeepsOneWindow();

private:
    AboutWindow *openAbout()
    {
        control<QAction>("g")->trigger();
        AboutWindow *about = aboutWindows().value(0);
        return about && QTest::qWaitForWindowActive(about) ? about : nullptr;
    }
    static QLabel *label(AboutWindow *about, const char *name) { return about->findChild<QLabel *>(name); }
    static QColor colourOf(const QLabel *label) { return label->palette().color(QPalette::WindowText); }
};

void TestAboutWindow::labelsAndWindow()
{
    AboutWindow *about = openAbout();
    QVERIFY(about);
    const QStringList texts{QStringLiteral("Qorvath ") + window_texts::programTitle + u' ', window_texts::authorCredit,
                            QStringLiteral("Email: ") + window_texts::authorEmail, QStringLiteral("网站 ") + window_texts::webAddress,
                            "版本：Hz V 2.1", "完成时间：2008-3-22", "如您有意见或建议请您给我来信",
                            window_texts::authorImNumber, window_texts::rightsLine};
    QCOMPARE(about->findChildren<QLabel *>().size(), texts.size());
    for (int number = 1; number <= 9; ++number) {
        const QLabel *found = label(about, qPrintable(QStringLiteral("Label%1").arg(number)));
        QVERIFY(found);
        QCOMPARE(found->text(), texts.at(number - 1));
        // Every text fits its label in the window's font.
        QVERIFY2(found->fontMetrics().horizontalAdvance(found->text()) <= found->width(), qPrintable(found->text()));
    }
    QCOMPARE(label(about, "Label4")->toolTip(), QStringLiteral("点击进入作者网站"));

    QCOMPARE(about->windowTitle(), QStringLiteral("关于") + window_texts::programTitle);
    QCOMPARE(about->size(), QSize(255, 157));
    QCOMPARE(about->minimumSize(), about->maximumSize());
}

void TestAboutWindow::hoverTurnsTheLinkRedUntilClosed()
{
    AboutWindow *about = openAbout();
    QVERIFY(about);
    QLabel *link = label(about, "Label4");
    const QColor normal = colourOf(link);
    QVERIFY(normal != QColor(255, 0, 0));

    // Movements arrive through the window, as the pointer's would.
    const auto moveTo = [about](QWidget *over, QPoint at) {
        QTest::mouseMove(about->windowHandle(), over->mapTo(about, at));
    };
    moveTo(label(about, "Label7"), QPoint(5, 5));
    QCOMPARE(colourOf(link), normal); // another label: no change
    moveTo(link, QPoint(10, 8));
    QTRY_COMPARE(colourOf(link), QColor(255, 0, 0));
    moveTo(about, QPoint(5, 150)); // away from the link: it stays red
    QCOMPARE(colourOf(link), QColor(255, 0, 0));
    QVERIFY(env->host.opened.isEmpty());

    QPointer<AboutWindow> closed = about;
    about->close();
    QTRY_VERIFY(closed.isNull());
    AboutWindow *again = openAbout();
    QVERIFY(again);
    QCOMPARE(colourOf(label(again, "Label4")), normal);
}

void TestAboutWindow::threeLaunchesOpenTheForum()
{
    AboutWindow *about = openAbout();
    QVERIFY(about);
    for (const char *name : {"Label1", "Label2", "Label3", "Label5", "Label6", "Label7", "Label8", "Label9"})
        QTest::mouseClick(label(about, name), Qt::LeftButton, {}, QPoint(3, 5));
    QVERIFY(env->host.opened.isEmpty()); // the other labels do nothing

    control<QAction>("W")->trigger();
    QTest::mouseClick(label(about, "Label4"), Qt::LeftButton, {}, QPoint(10, 8));
    QTest::mouseClick(about, Qt::LeftButton, {}, QPoint(8, 150)); // left of the labels, bottom
    QCOMPARE(env->host.opened, QStringList(3, window_texts::forumAddress));
}

void TestAboutWindow::aboutEntryKeepsOneWindow()
{
    AboutWindow *first = openAbout();
    QVERIFY(first);
    mainWindow->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(mainWindow.get()));
    QCOMPARE(openAbout(), first); // the same window, brought to the front
    QCOMPARE(aboutWindows().size(), 1);

    // A main window created anew (the return from the download window) finds
    // the about window still open and brings that one to the front.
    mainWindow = std::make_unique<MainWindow>(env->services);
    mainWindow->show();
    QVERIFY(QTest::qWaitForWindowActive(mainWindow.get()));
    QCOMPARE(openAbout(), first);
    QCOMPARE(aboutWindows().size(), 1);

    // Closed by its close box: the next "关于" makes a new one.
    QPointer<AboutWindow> closed = first;
    first->close();
    QTRY_VERIFY(closed.isNull());
    QVERIFY(openAbout());
    QCOMPARE(aboutWindows().size(), 1);
}

QTEST_MAIN(TestAboutWindow)
#include "test_about_window.moc"
