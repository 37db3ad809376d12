#pragma once

// What the window tests share besides the test desktop: typing as a person
// does, and the main window on the test desktop with its controls at hand and
// its "关于" answered by the window navigator.

#include "desktop/window_navigator.h"
#include "tests/support/test_desktop.h"
#include "ui/about_window.h"
#include "ui/main_window.h"
#include "ui/status_panels.h"

#include <QApplication>
#include <QCheckBox>
#include <QInputMethodEvent>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTest>
#include <QTextDocument>

#include <memory>

namespace ledglyph::test {

// What a text box holds, every character as stored, its line breaks written as CR LF.
inline QString boxText(const QPlainTextEdit *box)
{
    return box->document()->toRawText().replace(QChar::ParagraphSeparator, QStringLiteral("\r\n"));
}

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

// A test class opens the window in init() and closes it, with any about window, in cleanup().
class MainWindowFixture {
protected:
    bool openMainWindow()
    {
        env = std::make_unique<TestDesktop>();
        navigator = std::make_unique<WindowNavigator>(env->services);
        mainWindow = std::make_unique<MainWindow>(env->services);
        navigator->connectAbout(*mainWindow);
        mainWindow->show();
        return QTest::qWaitForWindowActive(mainWindow.get());
    }
    void closeWindows()
    {
        mainWindow.reset();
        navigator.reset(); // and the about window with it
        env.reset();
    }
    static QList<AboutWindow *> aboutWindows()
    {
        QList<AboutWindow *> found;
        for (QWidget *window : QApplication::topLevelWidgets()) {
            if (auto *about = qobject_cast<AboutWindow *>(window))
                found << about;
        }
        return found;
    }

    template<typename T = QWidget>
    T *control(const QString &name) const
    {
        auto *found = mainWindow->findChild<T *>(name);
        if (!found)
            qFatal("control %s not found", qPrintable(name));
        return found;
    }
    QPlainTextEdit *inputBox() const { return control<QPlainTextEdit>("SrcTxt"); }
    QPlainTextEdit *outputBox() const { return control<QPlainTextEdit>("Text2"); }
    QString panel(StatusPanel which) const { return control<StatusPanels>("StaB1")->panelText(which); }
    static QString focusName()
    {
        return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
    }

    // Clicks a check box or option button on its indicator, any other control in its middle.
    void click(const QString &name) const
    {
        QWidget *widget = control(name);
        const bool indicator = qobject_cast<QCheckBox *>(widget) || qobject_cast<QRadioButton *>(widget);
        QTest::mouseClick(widget, Qt::LeftButton, {}, indicator ? QPoint(7, widget->height() / 2) : QPoint());
    }

    std::unique_ptr<TestDesktop> env;
    std::unique_ptr<WindowNavigator> navigator;
    std::unique_ptr<MainWindow> mainWindow;
};

} // namespace ledglyph::test
