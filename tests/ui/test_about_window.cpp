// The about window: its labels, the link's hover colour and the three ways
// the forum is launched (menu entry, link label, the window's free surface).

#include "core/maker_texts.h"
#include "ui/about_window.h"
#include "ui/main_window.h"
#include "ui_test_support.h"

#include <QAction>
#include <QLabel>

#include <memory>

using namespace ledglyph;
using namespace ledglyph::test;

class TestAboutWindow : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void labelsAndWindow_data();
    void labelsAndWindow();
    void windowItself();
    void hoverTurnsTheLinkRedUntilClosed();
    void threeLaunchesOpenTheForum();
    void otherLabelsDoNothing();

private:
    Form2 *openAbout()
    {
        m_form->findChild<QAction *>(QStringLiteral("g"))->trigger();
        for (QWidget *window : QApplication::topLevelWidgets()) {
            if (auto *about = qobject_cast<Form2 *>(window); about && about->isVisible())
                return about;
        }
        return nullptr;
    }
    QLabel *label(Form2 *about, const char *name) { return about->findChild<QLabel *>(QLatin1String(name)); }

    std::unique_ptr<TestServices> m_env;
    std::unique_ptr<Form1> m_form;
};

void TestAboutWindow::init()
{
    m_env = std::make_unique<TestServices>();
    m_form = std::make_unique<Form1>(m_env->services);
    m_form->show();
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
}

void TestAboutWindow::cleanup()
{
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (qobject_cast<Form2 *>(window))
            delete window;
    }
    m_form.reset();
    m_env.reset();
}

void TestAboutWindow::labelsAndWindow_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QString>("text");

    QTest::newRow("Label1") << "Label1" << QRect(32, 8, 193, 25)
                            << QStringLiteral("Qorvath ") + maker::programTitle + QStringLiteral(" ");
    QTest::newRow("Label2") << "Label2" << QRect(32, 24, 81, 17) << maker::authorCredit;
    QTest::newRow("Label8") << "Label8" << QRect(32, 40, 185, 17) << maker::authorImNumber;
    QTest::newRow("Label3") << "Label3" << QRect(32, 56, 185, 17)
                            << QStringLiteral("Email: ") + maker::authorEmail;
    QTest::newRow("Label4") << "Label4" << QRect(32, 72, 193, 17)
                            << QStringLiteral("网站 ") + maker::webAddress;
    QTest::newRow("Label5") << "Label5" << QRect(32, 88, 97, 17) << QStringLiteral("版本：Hz V 2.1");
    QTest::newRow("Label6") << "Label6" << QRect(32, 104, 121, 17)
                            << QStringLiteral("完成时间：2008-3-22");
    QTest::newRow("Label7") << "Label7" << QRect(32, 120, 185, 17)
                            << QStringLiteral("如您有意见或建议请您给我来信");
    QTest::newRow("Label9") << "Label9" << QRect(32, 136, 201, 17) << maker::rightsLine;
}

void TestAboutWindow::labelsAndWindow()
{
    QFETCH(QString, name);
    QFETCH(QRect, geometry);
    QFETCH(QString, text);

    Form2 *about = openAbout();
    QVERIFY(about);
    auto *found = about->findChild<QLabel *>(name);
    QVERIFY(found);
    QCOMPARE(found->geometry(), geometry);
    QCOMPARE(found->text(), text);
    QCOMPARE(found->focusPolicy(), Qt::NoFocus);
    // Every text fits its label in the window's font.
    QVERIFY2(found->fontMetrics().horizontalAdvance(text) <= geometry.width(), qPrintable(text));
}

void TestAboutWindow::windowItself()
{
    Form2 *about = openAbout();
    QVERIFY(about);
    QCOMPARE(about->windowTitle(), QStringLiteral("关于") + maker::programTitle);
    QCOMPARE(about->size(), QSize(255, 157));
    QCOMPARE(about->minimumSize(), about->maximumSize());
    QVERIFY(!(about->windowFlags() & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(about->windowFlags() & Qt::WindowMaximizeButtonHint));
    QCOMPARE(label(about, "Label4")->toolTip(), QStringLiteral("点击进入作者网站"));
    QCOMPARE(about->findChildren<QLabel *>().size(), 9);
}

void TestAboutWindow::hoverTurnsTheLinkRedUntilClosed()
{
    Form2 *about = openAbout();
    QVERIFY(QTest::qWaitForWindowActive(about));
    QLabel *link = label(about, "Label4");
    const QColor normal = link->palette().color(QPalette::WindowText);
    QVERIFY(normal != QColor(255, 0, 0));

    // Movements arrive through the window, as the pointer's would.
    const auto moveTo = [about](QWidget *over, QPoint at) {
        QTest::mouseMove(about->windowHandle(), over->mapTo(about, at));
    };
    moveTo(label(about, "Label7"), QPoint(5, 5));
    QCOMPARE(link->palette().color(QPalette::WindowText), normal); // another label: no change
    moveTo(link, QPoint(10, 8));
    QTRY_COMPARE(link->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    moveTo(about, QPoint(5, 150)); // away from the link
    QCOMPARE(link->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    QVERIFY(m_env->launcher.opened.isEmpty());

    QPointer<Form2> closed = about;
    about->close();
    QTRY_VERIFY(closed.isNull());
    Form2 *again = openAbout();
    QVERIFY(again);
    QCOMPARE(label(again, "Label4")->palette().color(QPalette::WindowText), normal);
}

void TestAboutWindow::threeLaunchesOpenTheForum()
{
    m_form->findChild<QAction *>(QStringLiteral("W"))->trigger();
    Form2 *about = openAbout();
    QVERIFY(QTest::qWaitForWindowActive(about));
    QTest::mouseClick(label(about, "Label4"), Qt::LeftButton, {}, QPoint(10, 8));
    QTest::mouseClick(about, Qt::LeftButton, {}, QPoint(8, 150)); // left of the labels, bottom
    QCOMPARE(m_env->launcher.opened, QStringList(3, maker::forumAddress));
    QVERIFY(maker::forumAddress.startsWith(maker::webAddress)); // a page of the site Label4 shows
}

void TestAboutWindow::otherLabelsDoNothing()
{
    Form2 *about = openAbout();
    QVERIFY(QTest::qWaitForWindowActive(about));
    for (const char *name : {"Label1", "Label2", "Label3", "Label5", "Label6", "Label7", "Label8", "Label9"})
        QTest::mouseClick(label(about, name), Qt::LeftButton, {}, QPoint(3, 5));
    QVERIFY(m_env->launcher.opened.isEmpty());
}

QTEST_MAIN(TestAboutWindow)
#include "test_about_window.moc"
