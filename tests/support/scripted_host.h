#pragma once

// Stands in for the host's window services, so that no test waits for a
// person or opens a browser: message boxes recorded as "kind title: prompt"
// (kind: warning, information, or question with OK and Cancel) and answered
// from a script, addresses and folders
// recorded instead of opened, and file dialogs that return prepared paths.

#include "platform/gui/desktop_services.h"

#include <QList>
#include <QStringList>

#include <functional>

namespace ledglyph::test {

class ScriptedHost final : public MessageBox, public Launcher, public FileDialog {
public:
    QStringList shown;               // each box as "kind title: prompt"
    QList<MessageAnswer> answers;    // taken in order; OK when the script has run out
    // Runs while any box waits for the user (the box is in `shown` already),
    // as events that arrive meanwhile would.
    std::function<void()> onEveryBox;
    QStringList opened;              // addresses and folders the program asked to open
    bool launcherStarts = true;      // whether a browser or file manager could be started
    QStringList files;               // the dialogs' answers in order; "" is a cancelled dialog
    QStringList filters;             // the filter of every dialog opened

    MessageAnswer show(const QString &prompt, MessageIcon icon, const QString &title) override;
    bool openAddress(const QString &address) override { return open(address); }
    bool openFolder(const QString &path) override { return open(path); }
    QString getOpenFileName(QWidget *, const QString &filter) override;
    QString getSaveFileName(QWidget *parent, const QString &filter, const QString &) override
    {
        return getOpenFileName(parent, filter);
    }

private:
    bool open(const QString &what)
    {
        opened << what;
        return launcherStarts;
    }
};

} // namespace ledglyph::test
