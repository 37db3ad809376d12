// Where Qt's message boxes and the about window open: centred on the window
// they belong to, whichever window is active, and wide enough for their lines.

#include "download/download_texts.h"
#include "ui_test_support.h"

#include <QAction>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

using namespace ledglyph;
using namespace ledglyph::test;

namespace {

// The main window away from the screen's centre, so that a box placed by the
// screen and one placed by the window end up apart.
const QPoint kMainWindowAt(-40, -60);

bool centredOn(const QRect &placed, const QRect &window)
{
    const QPoint offset = placed.center() - window.center();
    return offset.manhattanLength() <= 4;
}

} // namespace

class TestWindowPlacement : public QObject {
    Q_OBJECT

    // Answers every box that opens with OK, noting where it stood and how many
    // lines its text took.
    struct BoxWatch {
        BoxWatch()
        {
            QObject::connect(&timer, &QTimer::timeout, [this] {
                auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
                if (!box || !box->isVisible())
                    return;
                places << box->frameGeometry();
                const auto *label = box->findChild<QLabel *>(QStringLiteral("qt_msgbox_label"));
                lines << label->height() / label->fontMetrics().lineSpacing();
                box->button(QMessageBox::Ok)->click();
            });
            timer.start(10);
        }
        QTimer timer;
        QList<QRect> places;
        QList<int> lines;
    };

private slots:
    void init()
    {
        env = std::make_unique<TestServices>();
        services = std::make_unique<DesktopServices>(DesktopServices{
            qtBox, env->host, env->host, env->clock, env->dir.path(), [] {}});
        form = std::make_unique<MainWindow>(*services);
        form->move(kMainWindowAt);
        form->show();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
    }
    void cleanup()
    {
        for (QWidget *window : QApplication::topLevelWidgets()) {
            if (qobject_cast<AboutWindow *>(window))
                delete window;
        }
        form.reset();
        services.reset();
        env.reset();
    }

    // Three refusals in a row in 8*16 mode, and a refused conversion while the
    // about window is the active one: every box over the main window.
    void boxesOpenOverTheirWindow()
    {
        BoxWatch watch;
        form->findChild<QRadioButton *>(QStringLiteral("Option5"))->click();
        typeText(form->findChild<QPlainTextEdit *>(QStringLiteral("SrcTxt")), QStringLiteral("啊啊啊"));
        form->findChild<QAction *>(QStringLiteral("g"))->trigger();
        QTRY_VERIFY(QApplication::activeWindow() && QApplication::activeWindow() != form.get());
        form->findChild<QPushButton *>(QStringLiteral("Command1"))->click();

        QCOMPARE(watch.places.size(), 4);
        for (const QRect &place : std::as_const(watch.places))
            QVERIFY2(centredOn(place, form->frameGeometry()), qPrintable(QStringLiteral("box at %1,%2 %3x%4")
                                                                        .arg(place.x()).arg(place.y())
                                                                        .arg(place.width()).arg(place.height())));
    }

    // The open-port prompt keeps its two lines (the settings line does not
    // break), and the box widened for them still stands centred.
    void wideBoxKeepsItsLines()
    {
        BoxWatch watch;
        qtBox.showOver(*form, download_texts::openPortPrompt, MessageIcon::Exclamation, QStringLiteral("t"));
        QCOMPARE(watch.lines, QList<int>{2});
        QVERIFY(centredOn(watch.places.value(0), form->frameGeometry()));
    }

    void aboutWindowOpensOverTheMainWindow()
    {
        form->findChild<QAction *>(QStringLiteral("g"))->trigger();
        QTRY_COMPARE(QApplication::activeWindow() ? QApplication::activeWindow()->objectName() : QString(),
                     QStringLiteral("Form2"));
        QVERIFY(centredOn(QApplication::activeWindow()->frameGeometry(), form->frameGeometry()));
    }

private:
    QtMessageBox qtBox;
    std::unique_ptr<TestServices> env;
    std::unique_ptr<DesktopServices> services;
    std::unique_ptr<MainWindow> form;
};

QTEST_MAIN(TestWindowPlacement)
#include "test_window_placement.moc"
