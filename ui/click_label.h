#pragma once

#include <QLabel>

namespace ledglyph {

// A completed left click on a widget: the left button pressed on it and
// released over it. Fed the widget's press and release events.
class LeftClick {
public:
    void press(QMouseEvent *event);
    // True when this release completes a click inside `area`.
    bool release(QMouseEvent *event, const QRect &area);

private:
    bool m_pressed = false;
};

// A label that keeps its own mouse clicks: a plain QLabel passes presses on to
// its window, so a click on any label would count as a click on the window's
// surface. It reports a completed left click and every mouse movement over it.
class ClickLabel final : public QLabel {
    Q_OBJECT
public:
    explicit ClickLabel(const QString &text, QWidget *parent = nullptr);

signals:
    void clicked();
    void mouseMoved();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    LeftClick m_click;
};

} // namespace ledglyph
