// The main window and the download window are never open together: "串口下载"
// shows the download window and closes the main window, "返回" brings a main
// window back in its start state, and the download window's close box ends
// the program because no window remains.

#include "desktop/window_navigator.h"
#include "download/download_window.h"
#include "platform/serial/com1_device.h"
#include "tests/ui/ui_test_support.h"

#include <QPushButton>

using namespace ledglyph;
using namespace ledglyph::test;

namespace {

template<typename T>
QList<T *> openWindows()
{
    QList<T *> found;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (auto *typed = qobject_cast<T *>(window); typed && typed->isVisible())
            found << typed;
    }
    return found;
}

template<typename T>
T *onlyWindow()
{
    const QList<T *> windows = openWindows<T>();
    return windows.size() == 1 ? windows.first() : nullptr;
}

void pressButton(QWidget *window, const char *name)
{
    auto *button = window->findChild<QPushButton *>(QLatin1String(name));
    QVERIFY2(button, name);
    QTest::mouseClick(button, Qt::LeftButton);
}

} // namespace

class TestWindowNavigator : public QObject {
    Q_OBJECT

private slots:
    void handOverAndBack()
    {
        TestServices env;
        env.services.makeSerialLink = makeCom1Link; // never opened here
        WindowNavigator navigator(env.services);

        navigator.showMainWindow();
        QPointer<MainWindow> first = onlyWindow<MainWindow>();
        QVERIFY(first);
        typeText(first->findChild<QPlainTextEdit *>(QStringLiteral("SrcTxt")), QStringLiteral("ab"));
        first->findChild<QCheckBox *>(QStringLiteral("Check1"))->setChecked(false);

        pressButton(first, "Command2");
        QTRY_VERIFY(first.isNull()); // closed and destroyed
        QPointer<DownloadWindow> download = onlyWindow<DownloadWindow>();
        QVERIFY(download);
        QVERIFY(openWindows<MainWindow>().isEmpty());

        pressButton(download, "Command5");
        QTRY_VERIFY(download.isNull());
        MainWindow *again = onlyWindow<MainWindow>();
        QVERIFY(again);
        QVERIFY(openWindows<DownloadWindow>().isEmpty());
        // Created anew: nothing typed or chosen before survives.
        QCOMPARE(again->findChild<QPlainTextEdit *>(QStringLiteral("SrcTxt"))->toPlainText(), QString());
        QVERIFY(again->findChild<QCheckBox *>(QStringLiteral("Check1"))->isChecked());

        // The download window's close box leaves no window open, so the
        // program ends (it quits when its last window closes).
        pressButton(again, "Command2");
        download = onlyWindow<DownloadWindow>();
        QVERIFY(download);
        download->close();
        QTRY_VERIFY(download.isNull());
        QVERIFY(openWindows<QWidget>().isEmpty());
        QCOMPARE(env.quitCalls, 0);
    }
};

QTEST_MAIN(TestWindowNavigator)
#include "test_window_navigator.moc"
