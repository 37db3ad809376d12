#pragma once

#include <QWidget>

namespace ledglyph {

class ClickLabel;
class Launcher;

// The about window: nine labels of credits; the link label and the window's
// free surface open the maker's forum, and the link turns light red under the
// mouse (and stays so until the window closes).
class Form2 final : public QWidget {
    Q_OBJECT
public:
    explicit Form2(Launcher &launcher, QWidget *parent = nullptr);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void openForum();
    void label4MouseMove();

    Launcher &m_launcher;
    ClickLabel *m_label4 = nullptr;
    bool m_surfacePressed = false;
};

} // namespace ledglyph
