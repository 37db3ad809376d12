#include "ui/matrix_view.h"

#include "preview/drawing/matrix_drawing.h"

#include <QPainter>

namespace ledglyph {

MatrixView::MatrixView(const preview::BoardFrames &frames, QWidget *parent) : QWidget(parent), m_frames(frames)
{
    setAttribute(Qt::WA_OpaquePaintEvent); // every pixel is drawn
    setDotPixels(preview::filmDotPixels);
}

void MatrixView::setDotPixels(int dotPixels)
{
    m_dotPixels = dotPixels;
    setFixedSize(preview::matrixPictureSize(dotPixels));
    update();
}

void MatrixView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    preview::drawMatrix(painter, m_frames, {0, 0}, m_dotPixels);
    emit painted(m_frames.step());
}

} // namespace ledglyph
