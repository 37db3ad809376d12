#include "desktop/window_place.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace ledglyph {

namespace {

// Moves `window` so that its frame, `frame` where asked for, lies inside `screen`'s free area.
void moveFrameTo(QWidget &window, QRect frame, const QScreen *screen)
{
    if (screen) {
        const QRect free = screen->availableGeometry();
        frame.moveLeft(std::max(free.left(), std::min(frame.left(), free.right() + 1 - frame.width())));
        frame.moveTop(std::max(free.top(), std::min(frame.top(), free.bottom() + 1 - frame.height())));
    }
    window.move(frame.topLeft()); // a window's position is its frame's
}

} // namespace

void centreOnScreen(QWidget &window)
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    // The frame is not known before the window manager has drawn one; the
    // window alone is centred.
    QRect frame(QPoint(), window.size());
    frame.moveCenter(screen->availableGeometry().center());
    moveFrameTo(window, frame, screen);
}

void takePlaceOf(QWidget &window, const QWidget &replaced)
{
    // The new window gets the same frame from the window manager as the one it replaces.
    const QSize frameMargins = replaced.frameGeometry().size() - replaced.size();
    moveFrameTo(window, QRect(replaced.frameGeometry().topLeft(), window.size() + frameMargins), replaced.screen());
}

} // namespace ledglyph
