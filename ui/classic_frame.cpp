#include "ui/classic_frame.h"

#include <QPainter>
#include <qdrawutil.h>

namespace ledglyph {

namespace {

constexpr int kCaptionLeft = 8; // pixels from the frame's left edge
constexpr int kCaptionGap = 2;  // border left open on either side of the caption

} // namespace

ClassicFrame::ClassicFrame(const QString &caption, QWidget *parent) : QGroupBox(caption, parent)
{
}

QRect ClassicFrame::captionRect() const
{
    if (title().isEmpty())
        return {};
    // The characters' own outline, not the font's full line height: the caption
    // then fits in the narrow strip between the frame's top and the controls.
    const QFontMetrics metrics(font());
    const QRect ink = metrics.tightBoundingRect(title());
    return {kCaptionLeft, 1, metrics.horizontalAdvance(title()), ink.height()};
}

void ClassicFrame::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QRect caption = captionRect();
    const int borderTop = caption.isEmpty() ? 0 : caption.center().y();
    qDrawShadeRect(&painter, rect().adjusted(0, borderTop, 0, 0), palette(), true, 1, 0);
    if (caption.isEmpty())
        return;

    painter.fillRect(caption.adjusted(-kCaptionGap, -1, kCaptionGap, 1), palette().window());
    painter.setFont(font());
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled,
                                   QPalette::WindowText));
    const QRect ink = QFontMetrics(font()).tightBoundingRect(title());
    painter.drawText(QPoint(caption.left(), caption.top() - ink.top()), title());
}

} // namespace ledglyph
