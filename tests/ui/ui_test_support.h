#pragma once

// What the window tests share: a fake host, so that no test waits for a
// person, opens a browser or depends on the time of day; a program folder in a
// temporary directory with copies of the built font libraries; typing as a
// person does; and the main window on all of these, with its controls at hand.

#include "platform/clock.h"
#include "platform/gui/desktop_services.h"
#include "ui/about_window.h"
#include "ui/main_window.h"
#include "tests/classic_box_style.h"
#include "ui/status_panels.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QInputMethodEvent>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>

#include <functional>
#include <memory>

namespace ledglyph::test {

// Stands in for the host: records every message box as "style title: prompt"
// and answers OK (onShow looks at the windows while the box is "open"),
// records the addresses it would open, and offers no file dialog.
class FakeHost final : public MessageBox, public Launcher, public FileDialog {
public:
    MessageAnswer show(const QString &prompt, MessageIcon icon, const QString &title) override
    {
        shown << QStringLiteral("%1 %2: %3").arg(testsupport::classicBoxStyle(icon)).arg(title, prompt);
        if (onShow)
            onShow();
        return MessageAnswer::Ok;
    }
    void openAddress(const QString &address) override { opened << address; }
    QString getOpenFileName(QWidget *, const QString &) override { return {}; }

    QStringList shown, opened;
    std::function<void()> onShow;
};

// A program folder holding copies of the built font libraries, and a fixed clock.
struct TestServices {
    TestServices()
    {
        for (const QString name : {"hzk16", "ASC16"}) {
            if (!QFile::copy(QStringLiteral(LEDGLYPH_APPDIR "/") + name, dir.filePath(name)))
                qFatal("cannot copy the font library %s into the test folder", qPrintable(name));
        }
    }
    QStringList files() const { return QDir(dir.path()).entryList(QDir::Files); }

    QTemporaryDir dir;
    FakeHost host;
    FixedClock clock{QDateTime(QDate(2008, 3, 22), QTime(21, 5, 9))};
    int quitCalls = 0;
    DesktopServices services{host, host, host, clock, dir.path(), [this] { ++quitCalls; }};
};

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
        env = std::make_unique<TestServices>();
        mainWindow = std::make_unique<MainWindow>(env->services);
        mainWindow->show();
        return QTest::qWaitForWindowActive(mainWindow.get());
    }
    void closeWindows()
    {
        qDeleteAll(aboutWindows());
        mainWindow.reset();
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

    std::unique_ptr<TestServices> env;
    std::unique_ptr<MainWindow> mainWindow;
};

} // namespace ledglyph::test
