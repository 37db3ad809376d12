#pragma once

#include <QString>

class QWidget;

namespace ledglyph {

// Modal message box with the classic style codes the program uses.
namespace MsgStyle {
inline constexpr int Exclamation = 48; // exclamation icon, OK
inline constexpr int Information = 64; // information icon, OK
inline constexpr int Question = 33;    // question icon, OK and Cancel
} // namespace MsgStyle

inline constexpr int MsgOk = 1;
inline constexpr int MsgCancel = 2;

class MessageBox {
public:
    virtual ~MessageBox() = default;
    // Shows the prompt and waits until the box is closed. A carriage return in
    // the prompt starts a new line. Returns MsgOk when OK was pressed.
    virtual int show(const QString &prompt, int style, const QString &title) = 0;
    // The same, for a message that belongs to `window`: the box opens centred
    // on it. Boxes that draw nothing on screen need not care where.
    virtual int showOver(QWidget &window, const QString &prompt, int style, const QString &title)
    {
        (void)window;
        return show(prompt, style, title);
    }
};

// The message box of one window: every box it shows opens over that window,
// whichever window happens to be active at the moment.
class WindowMessageBox final : public MessageBox {
public:
    WindowMessageBox(MessageBox &host, QWidget &window) : m_host(host), m_window(window) {}
    int show(const QString &prompt, int style, const QString &title) override
    {
        return m_host.showOver(m_window, prompt, style, title);
    }

private:
    MessageBox &m_host;
    QWidget &m_window;
};

// Qt's message box. Its text is as wide as its longest line (as far as the
// screen allows), so lines break only where the prompt breaks them.
class QtMessageBox final : public MessageBox {
public:
    int show(const QString &prompt, int style, const QString &title) override;
    int showOver(QWidget &window, const QString &prompt, int style, const QString &title) override;

private:
    int showWithParent(QWidget *parent, const QString &prompt, int style, const QString &title);
};

} // namespace ledglyph
