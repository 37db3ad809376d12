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
    explicit ClassicFrame(const QString &caption = {}, QWidget *parent = nullptr);
    explicit ClassicFrame(QWidget *parent) : ClassicFrame(QString(), parent) {}

    // Where the caption's characters are drawn, in the frame's coordinates.
    QRect captionRect() const;

protected:
    void paintEvent(QPaintEvent *event) override;
};

} // namespace ledglyph
