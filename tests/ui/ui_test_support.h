#pragma once

// What the window tests share besides the test desktop: typing as a person
// does, finding windows and clicking their controls, answering Qt's modal
// dialogs, and the main window on the test desktop with its controls at hand
// and its "关于" answered by the window navigator.

#include "desktop/window_navigator.h"
#include "tests/support/test_desktop.h"
#include "tests/support/window_controls.h"
#include "ui/about_window.h"
#include "ui/main_window.h"
#include "ui/status_panels.h"
#include "ui/text_box_text.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>

#include <memory>

namespace ledglyph::test {

// Types text as a person would: ASCII key by key ("\n" as the Enter key), any
// other characters committed by the input method (how Chinese characters arrive).
inline void typeText(QWidget *widget, const QString &text)
{
    for (qsizetype i = 0, end = 1; i < text.size(); i = end, end = i + 1) {
        if (text.at(i) == u'\n') {
            QTest::keyClick(widget, Qt::Key_Return);
        } else if (text.at(i).unicode() < 0x80) {
            QTest::keyClicks(widget, text.mid(i, 1));
        } else {
            while (end < text.size() && text.at(end).unicode() >= 0x80)
                ++end;
            QInputMethodEvent event;
            event.setCommitString(text.mid(i, end - i));
            QApplication::sendEvent(widget, &event);
        }
    }
}

// The one open (visible top-level) window of type T; null when there is none or more than one.
template<typename T>
T *onlyWindow()
{
    QList<T *> found;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (auto *typed = qobject_cast<T *>(window); typed && typed->isVisible())
            found << typed;
    }
    return found.size() == 1 ? found.first() : nullptr;
}

// Hands every modal dialog of type T, once shown, to `answer`, which closes
// it; looks every 10 ms while `timer` (the caller's) lives.
template<typename T, typename Answer>
void answerDialogs(QTimer &timer, Answer answer)
{
    QObject::connect(&timer, &QTimer::timeout, [answer] {
        if (auto *dialog = qobject_cast<T *>(QApplication::activeModalWidget()); dialog && dialog->isVisible())
            answer(dialog);
    });
    timer.start(10);
}

// Clicks a control near its left edge, where a check box or option button has its indicator.
inline void clickControl(QWidget *widget)
{
    QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(7, widget->height() / 2));
}

// A test class opens the window in init() and closes it, with any about window,
// in cleanup(). Its controls are at hand by what they do (convertButton(), aboutAction()).
class MainWindowFixture : protected MainWindowControls {
protected:
    // An option button or check box of the window, for tables of clicks.
    using Button = QAbstractButton *(MainWindowControls::*)() const;

    // The test desktop's services, or the given message boxes in place of its scripted ones.
    bool openMainWindow(MessageBox *boxes = nullptr)
    {
        env = std::make_unique<TestDesktop>();
        services = std::make_unique<DesktopServices>(DesktopServices{
            boxes ? *boxes : env->host, env->host, env->host, env->clock, env->services.appDir, env->services.quit});
        navigator = std::make_unique<WindowNavigator>(*services);
        mainWindow = std::make_unique<MainWindow>(*services);
        form1 = mainWindow.get();
        navigator->connectAbout(*mainWindow);
        mainWindow->show();
        return QTest::qWaitForWindowActive(mainWindow.get());
    }
    void closeWindows()
    {
        form1 = nullptr;
        mainWindow.reset();
        navigator.reset(); // and the about window with it
        services.reset();
        env.reset();
    }

    StatusPanels *statusPanels() const { return qobject_cast<StatusPanels *>(statusBar()); }
    QString panel(StatusPanel which) const { return statusPanels()->panelText(which); }
    static QString focusName()
    {
        return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
    }
    void click(QAbstractButton *button) const { clickControl(button); }
    void click(Button button) const { clickControl((this->*button)()); }

    std::unique_ptr<TestDesktop> env;
    std::unique_ptr<DesktopServices> services;
    std::unique_ptr<WindowNavigator> navigator;
    std::unique_ptr<MainWindow> mainWindow;
};

} // namespace ledglyph::test
