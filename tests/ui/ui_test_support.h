#pragma once

// What the window tests share besides the test desktop: typing as a person
// does, finding windows and clicking their controls, answering Qt's modal
// dialogs, and the main window on the test desktop with its controls at hand
// and its "关于" answered by the window navigator.

#include "desktop/window_navigator.h"
#include "tests/support/test_desktop.h"
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

// A window's control by its name; the test run ends when there is none.
template<typename T = QWidget>
T *controlOf(const QWidget *window, const QString &name)
{
    auto *found = window->findChild<T *>(name);
    if (!found)
        qFatal("control %s not found", qPrintable(name));
    return found;
}

// Clicks a control near its left edge, where a check box or option button has its indicator.
inline void clickControl(const QWidget *window, const QString &name)
{
    QWidget *widget = controlOf(window, name);
    QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(7, widget->height() / 2));
}

// A test class opens the window in init() and closes it, with any about window, in cleanup().
class MainWindowFixture {
protected:
    // The test desktop's services, or the given message boxes in place of its scripted ones.
    bool openMainWindow(MessageBox *boxes = nullptr)
    {
        env = std::make_unique<TestDesktop>();
        services = std::make_unique<DesktopServices>(DesktopServices{
            boxes ? *boxes : env->host, env->host, env->host, env->clock, env->services.appDir, env->services.quit});
        navigator = std::make_unique<WindowNavigator>(*services);
        mainWindow = std::make_unique<MainWindow>(*services);
        navigator->connectAbout(*mainWindow);
        mainWindow->show();
        return QTest::qWaitForWindowActive(mainWindow.get());
    }
    void closeWindows()
    {
        mainWindow.reset();
        navigator.reset(); // and the about window with it
        services.reset();
        env.reset();
    }

    template<typename T = QWidget>
    T *control(const QString &name) const
    {
        return controlOf<T>(mainWindow.get(), name);
    }
    QPlainTextEdit *inputBox() const { return control<QPlainTextEdit>("SrcTxt"); }
    QPlainTextEdit *outputBox() const { return control<QPlainTextEdit>("Text2"); }
    QString panel(StatusPanel which) const { return control<StatusPanels>("StaB1")->panelText(which); }
    static QString focusName()
    {
        return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
    }
    void click(const QString &name) const { clickControl(mainWindow.get(), name); }

    std::unique_ptr<TestDesktop> env;
    std::unique_ptr<DesktopServices> services;
    std::unique_ptr<WindowNavigator> navigator;
    std::unique_ptr<MainWindow> mainWindow;
};

} // namespace ledglyph::test
