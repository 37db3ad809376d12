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
};

class QtMessageBox final : public MessageBox {
public:
    explicit QtMessageBox(QWidget *parent = nullptr) : m_parent(parent) {}
    int show(const QString &prompt, int style, const QString &title) override;

private:
    QWidget *m_parent;
};

} // namespace ledglyph
