#pragma once

// Stand-ins for the host services the windows use, so that no test waits for
// a person, opens a browser or depends on the time of day, plus a program
// folder in a temporary directory holding copies of the built font libraries.

#include "platform/clock.h"
#include "platform/gui/desktop_services.h"
#include "platform/gui/file_dialog.h"
#include "platform/gui/launcher.h"
#include "platform/gui/message_box.h"

#include <QApplication>
#include <QFile>
#include <QInputMethodEvent>
#include <QList>
#include <QPlainTextEdit>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

namespace ledglyph::test {

struct Prompt {
    QString prompt;
    int style = 0;
    QString title;
};

// Records every message box and answers from a script (OK when the script is empty).
class FakeMessageBox final : public MessageBox {
public:
    int show(const QString &prompt, int style, const QString &title) override
    {
        prompts.append({prompt, style, title});
        if (onShow)
            onShow(prompts.last());
        return answers.isEmpty() ? MsgOk : answers.takeFirst();
    }

    QList<Prompt> prompts;
    QList<int> answers;
    std::function<void(const Prompt &)> onShow; // looks at the windows while the box is "open"
};

class FakeLauncher final : public Launcher {
public:
    void openAddress(const QString &address) override { opened.append(address); }
    QStringList opened;
};

class FakeFileDialog final : public FileDialog {
public:
    QString getOpenFileName(QWidget *, const QString &) override { return {}; }
};

// A program folder with the font libraries and a fixed clock.
class TestServices {
public:
    TestServices()
        : clock(QDateTime(QDate(2008, 3, 22), QTime(21, 5, 9))),
          services{messageBox, launcher, fileDialog, clock, dir.path(), [this] { ++quitCalls; }}
    {
        for (const char *name : {"hzk16", "ASC16"}) {
            const QString from = QStringLiteral(LEDGLYPH_APPDIR "/") + QLatin1String(name);
            if (!QFile::copy(from, filePath(QLatin1String(name))))
                qFatal("cannot copy the font library %s into the test folder", qPrintable(from));
        }
    }

    QString filePath(const QString &name) const { return dir.filePath(name); }
    QByteArray fileBytes(const QString &name) const
    {
        QFile file(filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    bool exists(const QString &name) const { return QFile::exists(filePath(name)); }

    QTemporaryDir dir;
    FakeMessageBox messageBox;
    FakeLauncher launcher;
    FakeFileDialog fileDialog;
    FixedClock clock;
    int quitCalls = 0;
    DesktopServices services;
};

// What a text box shows, with its line breaks written as CR LF.
inline QString boxText(const QPlainTextEdit *box)
{
    return box->toPlainText().replace(u'\n', QStringLiteral("\r\n"));
}

// Types text the way an input method commits it (how Chinese characters arrive).
inline void commitText(QWidget *widget, const QString &text)
{
    QInputMethodEvent event;
    event.setCommitString(text);
    QApplication::sendEvent(widget, &event);
}

} // namespace ledglyph::test
