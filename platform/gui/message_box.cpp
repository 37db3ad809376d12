#include "platform/gui/message_box.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>

#include <algorithm>

namespace ledglyph {

namespace {

// Room for what a window manager draws in a title bar besides the title: the
// window's icon and its buttons.
constexpr int kTitleBarExtras = 120;

// Breaks every line wider than `limit` at spaces: at the last one that lets
// the part before it fit, or at the first when none does. Qt's own wrapping
// would also break after any "/" of a path and between any two Chinese
// characters; invisible joiners to hold a path together would end up in what
// the user copies out of the box, so the box breaks its lines itself.
QString breakAtSpaces(const QString &text, const QFontMetrics &metrics, int limit)
{
    QStringList lines;
    for (QString line : text.split(QLatin1Char('\n'))) {
        while (metrics.horizontalAdvance(line) > limit) {
            qsizetype cut = line.indexOf(QLatin1Char(' '), 1); // a line never starts empty
            for (qsizetype next = cut; next > 0 && metrics.horizontalAdvance(line.left(next)) <= limit;
                 next = line.indexOf(QLatin1Char(' '), next + 1))
                cut = next;
            if (cut < 0)
                break;
            lines << line.left(cut);
            line = line.mid(cut + 1);
        }
        lines << line;
    }
    return lines.join(QLatin1Char('\n'));
}

// Sets the box's text with its lines broken at spaces where they are wider
// than a box may be, and widens the text to its longest line, so that Qt
// breaks none further: a Chinese line may otherwise break between any two
// characters, even inside "停止位：1". Qt itself caps a box at about the
// screen's width; a line without spaces wider than that still wraps.
void setFittedText(QMessageBox &box, const QString &text)
{
    auto *label = box.findChild<QLabel *>(QStringLiteral("qt_msgbox_label"));
    if (!label) {
        box.setText(text);
        return;
    }
    const QFontMetrics metrics(label->font());
    const QScreen *screen = box.screen() ? box.screen() : QGuiApplication::primaryScreen();
    const int screenWidth = screen ? screen->availableGeometry().width() : 1024;
    const int boxLimit = screenWidth <= 1024 ? screenWidth : std::min(screenWidth - 480, 1000);
    constexpr int iconAndMargins = 160;
    const int lineLimit = boxLimit - iconAndMargins;
    const QString broken = breakAtSpaces(text, metrics, lineLimit);
    box.setText(broken);
    int longest = 0;
    for (const QString &line : broken.split(QLatin1Char('\n')))
        longest = std::max(longest, metrics.horizontalAdvance(line));
    label->setMinimumWidth(std::min(longest + metrics.averageCharWidth(), lineLimit));
}

// Qt centres a dialog on its parent before the box has taken its final size
// (it sizes itself to its text when shown), so a box whose text is wider or
// narrower than it guessed ends up off centre. Centre it again once sized,
// before it appears, keeping it on the screen. A short text gets a box wide
// enough for its title, which the window manager would otherwise cut ("Qor... ！！").
class CentredMessageBox final : public QMessageBox {
public:
    using QMessageBox::QMessageBox;

protected:
    void showEvent(QShowEvent *event) override
    {
        QMessageBox::showEvent(event);
        QFont titleFont = font();
        titleFont.setBold(true);
        const int titleWidth = QFontMetrics(titleFont).horizontalAdvance(windowTitle()) + kTitleBarExtras;
        if (auto *label = findChild<QLabel *>(QStringLiteral("qt_msgbox_label")); label && width() < titleWidth) {
            // The box sizes itself to its text whenever it lays itself out again.
            label->setMinimumWidth(label->width() + titleWidth - width());
            setFixedWidth(titleWidth);
        }
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
    box.setTextFormat(Qt::PlainText);
    box.setTextInteractionFlags(Qt::TextSelectableByMouse); // a path or an address can be copied
    const bool question = icon == MessageIcon::Question;
    box.setIcon(question                             ? QMessageBox::Question
                : icon == MessageIcon::Information ? QMessageBox::Information
                                                   : QMessageBox::Warning);
    box.setStandardButtons(question ? QMessageBox::Ok | QMessageBox::Cancel : QMessageBox::Ok);
    box.button(QMessageBox::Ok)->setText(QStringLiteral("确定"));
    if (question)
        box.button(QMessageBox::Cancel)->setText(QStringLiteral("取消"));
    box.setDefaultButton(QMessageBox::Ok);
    setFittedText(box, prompt);
    return box.exec() == QMessageBox::Ok ? MessageAnswer::Ok : MessageAnswer::Cancel;
}

} // namespace ledglyph
