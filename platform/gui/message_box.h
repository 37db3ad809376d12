#pragma once

#include <QString>

class QWidget;

namespace ledglyph {

// The kinds of box the program shows: a warning or a notice with OK alone, or
// a question with OK and Cancel.
enum class MessageIcon {
    Exclamation, // exclamation icon, OK
    Information, // information icon, OK
    Question,    // question icon, OK and Cancel
};

enum class MessageAnswer { Ok, Cancel };

// Modal message box.
class MessageBox {
public:
    virtual ~MessageBox() = default;
    // Shows the prompt and waits until the box is closed. A line feed in the
    // prompt starts a new line.
    virtual MessageAnswer show(const QString &prompt, MessageIcon icon, const QString &title) = 0;
    // The same, for a message that belongs to `window`: the box opens centred
    // on it. Boxes that draw nothing on screen need not care where.
    virtual MessageAnswer showOver(QWidget &window, const QString &prompt, MessageIcon icon,
                                   const QString &title)
    {
        (void)window;
        return show(prompt, icon, title);
    }
};

// The message box of one window: every box it shows opens over that window,
// whichever window happens to be active at the moment.
class WindowMessageBox final : public MessageBox {
public:
    WindowMessageBox(MessageBox &host, QWidget &window) : m_host(host), m_window(window) {}
    MessageAnswer show(const QString &prompt, MessageIcon icon, const QString &title) override
    {
        return m_host.showOver(m_window, prompt, icon, title);
    }

private:
    MessageBox &m_host;
    QWidget &m_window;
};

// Qt's message box. Its text is as wide as its longest line (as far as the
// screen allows), so lines break only where the prompt breaks them, or at
// spaces where a line is wider than a box may be. The box is at least as wide
// as its title.
class QtMessageBox final : public MessageBox {
public:
    MessageAnswer show(const QString &prompt, MessageIcon icon, const QString &title) override;
    MessageAnswer showOver(QWidget &window, const QString &prompt, MessageIcon icon,
                           const QString &title) override;

private:
    MessageAnswer showWithParent(QWidget *parent, const QString &prompt, MessageIcon icon,
                                 const QString &title);
};

} // namespace ledglyph
