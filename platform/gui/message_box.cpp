#include "platform/gui/message_box.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>

#include <algorithm>

namespace ledglyph {

namespace {

// Widens the box's text so that its longest line fits unbroken: a Chinese line
// may otherwise break between any two characters, even inside "停止位：1".
// Qt itself caps a box at about the screen's width; past that, lines still wrap.
void fitLongestLine(QMessageBox &box, const QString &text)
{
    auto *label = box.findChild<QLabel *>(QStringLiteral("qt_msgbox_label"));
    if (!label)
        return;
    const QFontMetrics metrics(label->font());
    int longest = 0;
    for (const QString &line : text.split(QLatin1Char('\n')))
        longest = std::max(longest, metrics.horizontalAdvance(line));
    const QScreen *screen = box.screen() ? box.screen() : QGuiApplication::primaryScreen();
    const int screenWidth = screen ? screen->availableGeometry().width() : 1024;
    const int boxLimit = screenWidth <= 1024 ? screenWidth : std::min(screenWidth - 480, 1000);
    constexpr int iconAndMargins = 160;
    label->setMinimumWidth(std::min(longest + metrics.averageCharWidth(), boxLimit - iconAndMargins));
}

// Qt centres a dialog on its parent before the box has taken its final size
// (it sizes itself to its text when shown), so a box whose text is wider or
// narrower than it guessed ends up off centre. Centre it again once sized,
// before it appears, keeping it on the screen.
class CentredMessageBox final : public QMessageBox {
public:
    using QMessageBox::QMessageBox;

protected:
    void showEvent(QShowEvent *event) override
    {
        QMessageBox::showEvent(event);
        if (!parentWidget())
            return;
        QRect placed = frameGeometry();
        placed.moveCenter(parentWidget()->window()->frameGeometry().center());
        if (const QScreen *on = screen()) {
            const QRect free = on->availableGeometry();
            placed.moveLeft(std::max(free.left(), std::min(placed.left(), free.right() - placed.width())));
            placed.moveTop(std::max(free.top(), std::min(placed.top(), free.bottom() - placed.height())));
        }
        move(placed.topLeft());
    }
};

} // namespace

MessageAnswer QtMessageBox::show(const QString &prompt, MessageIcon icon, const QString &title)
{
    return showWithParent(QApplication::activeWindow(), prompt, icon, title);
}

MessageAnswer QtMessageBox::showOver(QWidget &window, const QString &prompt, MessageIcon icon,
                                     const QString &title)
{
    return showWithParent(window.window(), prompt, icon, title);
}

MessageAnswer QtMessageBox::showWithParent(QWidget *parent, const QString &prompt, MessageIcon icon,
                                           const QString &title)
{
    CentredMessageBox box(parent);
    box.setWindowTitle(title);
    // CR alone starts a line in the prompt; Qt's plain text wants LF.
    QString text = prompt;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    box.setText(text);
    box.setTextFormat(Qt::PlainText);
    const bool question = icon == MessageIcon::Question;
    box.setIcon(question                             ? QMessageBox::Question
                : icon == MessageIcon::Information ? QMessageBox::Information
                                                   : QMessageBox::Warning);
    box.setStandardButtons(question ? QMessageBox::Ok | QMessageBox::Cancel : QMessageBox::Ok);
    box.button(QMessageBox::Ok)->setText(QStringLiteral("确定"));
    if (question)
        box.button(QMessageBox::Cancel)->setText(QStringLiteral("取消"));
    box.setDefaultButton(QMessageBox::Ok);
    fitLongestLine(box, text);
    return box.exec() == QMessageBox::Ok ? MessageAnswer::Ok : MessageAnswer::Cancel;
}

} // namespace ledglyph
