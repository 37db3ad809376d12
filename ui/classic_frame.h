#pragma once

#include <QGroupBox>

namespace ledglyph {

// A frame drawn the classic way: an etched border whose top edge runs through
// the middle of the caption, the caption standing on a gap in the border. The
// caption then takes no room inside the frame, so controls placed just below
// the frame's top edge do not cover it.
class ClassicFrame final : public QGroupBox {
    Q_OBJECT
public:
    ClassicFrame(const QString &caption, QWidget *parent);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    // Where the caption's characters are drawn, in the frame's coordinates.
    QRect captionRect() const;
};

} // namespace ledglyph
