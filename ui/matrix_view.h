#pragma once

#include "preview/board_frames.h"

#include <QWidget>

namespace ledglyph {

// The board's 16 x 64 matrix at the frame its BoardFrames show, drawn as LEDs
// of `dotPixels` (the zoom); its size follows the zoom.
class MatrixView final : public QWidget {
    Q_OBJECT
public:
    MatrixView(const preview::BoardFrames &frames, QWidget *parent = nullptr);

    int dotPixels() const { return m_dotPixels; }
    void setDotPixels(int dotPixels);

signals:
    // The frame of `step` is on the screen (for the benchmark's pacing).
    void painted(qint64 step);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    const preview::BoardFrames &m_frames;
    int m_dotPixels = 0;
};

} // namespace ledglyph
