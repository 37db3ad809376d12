// The windows that open over the main window. The about window: its labels
// and the link's hover colour (the three ways to the forum are
// test_main_window's). Where it and Qt's message boxes open: centred on the
// main window, whichever window is active, and a box wide enough for its
// lines and its title, breaking long lines at spaces only.

#include "ui_test_support.h"

#include <QAction>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include <algorithm>

using namespace ledglyph;
using namespace ledglyph::test;

namespace {

bool centredOn(const QRect &placed, const QWidget &window)
{
    return (placed.center() - window.frameGeometry().center()).manhattanLength() <= 4;
}

QColor colourOf(const QLabel *label) { return label->palette().color(QPalette::WindowText); }

} // namespace

class TestAboutWindowAndBoxes : public QObject, MainWindowFixture {
    Q_OBJECT

private slots:
    // Qt's own message boxes, to see where they open, and the main window away
    // from the screen's centre, so that a window placed by the screen and one
    // placed by the main window end up apart.
    void init()
    {
        QVERIFY(openMainWindow(&qtBox));
        mainWindow->move(-40, -60);
    }
    void cleanup() { closeWindows(); }

    // The about window: its labels, its size and title, and the link's hover colour.
    void aboutWindow()
    {
        AboutWindow *about = openAbout();
        QVERIFY(about);
        const QStringList texts{"Qorvath LED点阵取模软件 ", "编写：林晓舟", "Email: lin@qorvath.test",
                                "网站 http://www.qorvath.test", "版本：Hz V 2.1", "完成时间：2008-3-22",
                                "如您有意见或建议请您给我来信", "QQ：20080322", "Qorvath 版权所有 林晓舟 2008"};
        QCOMPARE(about->findChildren<QLabel *>().size(), texts.size());
        for (int number = 1; number <= 9; ++number) {
            const QLabel *found = controlOf<QLabel>(about, QStringLiteral("Label%1").arg(number));
            QCOMPARE(found->text(), texts.at(number - 1));
            // Every text fits its label in the window's font.
            QVERIFY2(found->fontMetrics().horizontalAdvance(found->text()) <= found->width(),
                     qPrintable(found->text()));
        }
        QCOMPARE(AboutWindowControls(about).forumLink()->toolTip(), QStringLiteral("点击进入作者网站"));

        QCOMPARE(about->windowTitle(), QStringLiteral("关于LED点阵取模软件"));
        QCOMPARE(about->size(), QSize(255, 157));
        QCOMPARE(about->minimumSize(), about->maximumSize());

        // The link turns red under the pointer and stays red until the window closes.
        QLabel *link = AboutWindowControls(about).forumLink();
        const QColor normal = colourOf(link);
        QVERIFY(normal != QColor(255, 0, 0));

        // Movements arrive through the window, as the pointer's would.
        const auto moveTo = [about](QWidget *over, QPoint at) {
            QTest::mouseMove(about->windowHandle(), over->mapTo(about, at));
        };
        moveTo(AboutWindowControls(about).credits().first(), QPoint(5, 5));
        QCOMPARE(colourOf(link), normal); // another label: no change
        moveTo(link, QPoint(10, 8));
        QTRY_COMPARE(colourOf(link), QColor(255, 0, 0));
        moveTo(about, QPoint(5, 150)); // away from the link: it stays red
        QCOMPARE(colourOf(link), QColor(255, 0, 0));
        QVERIFY(env->host.opened.isEmpty());
    }

    // Three refusals in a row in 8*16 mode and a refused conversion while the
    // about window, moved off the main window's centre, is the active one, then
    // the open-port prompt: every box over the main window, and the prompt keeps
    // its two lines (the settings line does not break) in a box widened for them.
    // A line wider than a box may be breaks at its spaces and nowhere else, so
    // a path stays whole on one line, where it can be selected and copied; a
    // short prompt's box is as wide as its title and the window manager's
    // buttons beside it.
    void boxesOverTheirWindowFitTheirText()
    {
        QList<QRect> places; // where every box stood, its text and how many lines that took on screen
        QStringList texts;
        QList<int> lines;
        QTimer watch;
        answerDialogs<QMessageBox>(watch, [&](QMessageBox *box) {
            const auto *label = box->findChild<QLabel *>(QStringLiteral("qt_msgbox_label"));
            places << box->frameGeometry();
            texts << label->text();
            lines << label->height() / label->fontMetrics().lineSpacing();
            QVERIFY(label->textInteractionFlags() & Qt::TextSelectableByMouse);
            box->button(QMessageBox::Ok)->click();
        });
        click(cell8x16Option());
        typeText(inputBox(), QStringLiteral("啊啊啊"));
        AboutWindow *about = openAbout();
        QVERIFY(about);
        about->move(about->pos() + QPoint(150, 100));
        convertButton()->click();
        qtBox.showOver(*mainWindow,
                       QStringLiteral("请用DB9串行线将PC的COM1与单片机连接，之后开启单片机电源。连接成功后才能下载字模\n"
                                      "串口设置 端口号：COM1 波特率：9600b/s  奇偶校验：无  数据位：8  停止位：1"),
                       MessageIcon::Exclamation, QStringLiteral("t"));
        QCOMPARE(lines, (QList<int>{1, 1, 1, 1, 2}));
        for (const QRect &place : std::as_const(places))
            QVERIFY2(centredOn(place, *mainWindow), qPrintable(QDebug::toString(place)));

        // Before the path and the path itself each nearly half as wide as a box may be.
        const QFontMetrics metrics(QApplication::font());
        const int half = std::min(QApplication::primaryScreen()->availableGeometry().width(), 1000) * 45 / 100;
        QString before = QStringLiteral("无法读取文件"), path = QStringLiteral("/home/lin/文档/");
        while (metrics.horizontalAdvance(before) < half)
            before += QStringLiteral("读");
        while (metrics.horizontalAdvance(path) < half)
            path += QStringLiteral("folder/");
        path += QStringLiteral("zimuo.bin");
        qtBox.showOver(*mainWindow, QStringLiteral("%1 %2 。请检查该文件。").arg(before, path),
                       MessageIcon::Exclamation, QStringLiteral("t"));
        const QStringList pathBox = texts.value(5).split(u'\n');
        QVERIFY2(std::ranges::any_of(pathBox, [&path](const QString &line) { return line.contains(path); }),
                 qPrintable(pathBox.join(u'|')));
        QCOMPARE(lines.value(5), pathBox.size());
        const QString title = QStringLiteral("Qorvath 欢迎您！！！");
        qtBox.showOver(*mainWindow, QStringLiteral("串口下载完成"), MessageIcon::Information, title);
        QFont bold = QApplication::font();
        bold.setBold(true);
        QVERIFY(places.value(6).width() >= QFontMetrics(bold).horizontalAdvance(title) + 100);
    }

private:
    // Opens the about window by "关于" and checks that it opens active, over the main window.
    AboutWindow *openAbout()
    {
        aboutAction()->trigger();
        AboutWindow *about = onlyWindow<AboutWindow>();
        const bool placed = about && QTest::qWaitForWindowActive(about)
                            && centredOn(about->frameGeometry(), *mainWindow);
        return placed ? about : nullptr;
    }

    QtMessageBox qtBox;
};

QTEST_MAIN(TestAboutWindowAndBoxes)
#include "test_about_window_and_boxes.moc"
