#include "ui/click_label.h"

#include <QMouseEvent>

namespace ledglyph {

ClickLabel::ClickLabel(const QString &text, QWidget *parent) : QLabel(text, parent)
{
    setTextFormat(Qt::PlainText);
    setMouseTracking(true); // movements without a pressed button arrive too
}

void LeftClick::press(QMouseEvent *event)
{
    m_pressed = event->button() == Qt::LeftButton;
    event->accept();
}

bool LeftClick::release(QMouseEvent *event, const QRect &area)
{
    const bool wasPressed = m_pressed;
    m_pressed = false;
    event->accept();
    return wasPressed && event->button() == Qt::LeftButton && area.contains(event->position().toPoint());
}

void ClickLabel::mousePressEvent(QMouseEvent *event)
{
    m_click.press(event);
}

void ClickLabel::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_click.release(event, rect()))
        emit clicked();
}

void ClickLabel::mouseMoveEvent(QMouseEvent *event)
{
    event->accept();
    emit mouseMoved();
}

} // namespace ledglyph
