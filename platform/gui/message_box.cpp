#include "platform/gui/message_box.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace ledglyph {

int QtMessageBox::show(const QString &prompt, int style, const QString &title)
{
    QMessageBox box(m_parent ? m_parent : QApplication::activeWindow());
    box.setWindowTitle(title);
    // CR alone starts a line in the prompt; Qt's plain text wants LF.
    QString text = prompt;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    box.setText(text);
    box.setTextFormat(Qt::PlainText);
    switch (style) {
    case MsgStyle::Question:
        box.setIcon(QMessageBox::Question);
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        break;
    case MsgStyle::Information:
        box.setIcon(QMessageBox::Information);
        box.setStandardButtons(QMessageBox::Ok);
        break;
    default:
        box.setIcon(QMessageBox::Warning);
        box.setStandardButtons(QMessageBox::Ok);
        break;
    }
    box.button(QMessageBox::Ok)->setText(QStringLiteral("确定"));
    if (style == MsgStyle::Question)
        box.button(QMessageBox::Cancel)->setText(QStringLiteral("取消"));
    box.setDefaultButton(QMessageBox::Ok);
    return box.exec() == QMessageBox::Ok ? MsgOk : MsgCancel;
}

} // namespace ledglyph
