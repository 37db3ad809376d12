#pragma once

#include "platform/gui/message_box.h"
#include "ui/click_label.h"

#include <QWidget>

namespace ledglyph {

class Launcher;

// The about window: nine labels of credits; the link label and the window's
// free surface open the maker's forum, and the link turns light red under the
// mouse (and stays so until the window closes). Object names:
//
//   Form2                         AboutWindow
//   Label4                        m_forumLink
//   Label1-Label3, Label5-Label9  credits without a member
class AboutWindow final : public QWidget {
    Q_OBJECT
public:
    // The message box tells when no browser can be started.
    AboutWindow(Launcher &launcher, MessageBox &messageBox, QWidget *parent = nullptr);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void openForum();
    void onLinkHovered();

    Launcher &m_launcher;
    WindowMessageBox m_messageBox; // boxes of this window open centred on it
    ClickLabel *m_forumLink = nullptr;
    LeftClick m_surfaceClick;
};

} // namespace ledglyph
