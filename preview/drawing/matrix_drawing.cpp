#include "preview/drawing/matrix_drawing.h"

#include <QPainter>
#include <QSaveFile>

namespace ledglyph::preview {

namespace {

constexpr QRgb boardColour = qRgb(24, 24, 24);
constexpr QRgb litColour = qRgb(255, 48, 32);
constexpr QRgb darkColour = qRgb(64, 24, 24);

} // namespace

QSize matrixPictureSize(int dotPixels)
{
    return {(DISPLAY_COLUMNS + 2) * dotPixels, (DISPLAY_ROWS + 2) * dotPixels};
}

void drawMatrix(QPainter &painter, const BoardFrames &frames, QPoint topLeft, int dotPixels)
{
    // Each LED is drawn once into a square of the board and then copied: 1,024
    // round dots a frame would cost the animation milliseconds.
    const auto led = [dotPixels](QRgb colour) {
        QImage square(dotPixels, dotPixels, QImage::Format_RGB32);
        square.fill(boardColour);
        QPainter led(&square);
        led.setRenderHint(QPainter::Antialiasing);
        led.setPen(Qt::NoPen);
        led.setBrush(QColor(colour));
        led.drawEllipse(QRectF(1, 1, dotPixels - 2, dotPixels - 2)); // a gap of one pixel on each side
        return square;
    };
    const QImage lit = led(litColour);
    const QImage dark = led(darkColour);
    painter.fillRect(QRect(topLeft, matrixPictureSize(dotPixels)), QColor(boardColour));
    for (int row = 0; row < DISPLAY_ROWS; ++row) {
        for (int column = 0; column < DISPLAY_COLUMNS; ++column)
            painter.drawImage(topLeft + QPoint((column + 1) * dotPixels, (row + 1) * dotPixels),
                              frames.lit(row, column) ? lit : dark);
    }
}

QImage matrixPicture(const BoardFrames &frames, int dotPixels)
{
    QImage picture(matrixPictureSize(dotPixels), QImage::Format_RGB32);
    QPainter painter(&picture);
    drawMatrix(painter, frames, {0, 0}, dotPixels);
    return picture;
}

QImage filmStrip(const QByteArray &glyphs, int speedCode, const QList<int> &timesMs)
{
    const QSize frameSize = matrixPictureSize(filmDotPixels);
    QImage strip(frameSize.width(), frameSize.height() * int(timesMs.size()), QImage::Format_RGB32);
    QPainter painter(&strip);
    BoardFrames frames(glyphs);
    for (int i = 0; i < timesMs.size(); ++i) {
        frames.seek(BoardFrames::stepAt(timesMs.at(i), speedCode));
        drawMatrix(painter, frames, {0, i * frameSize.height()}, filmDotPixels);
    }
    return strip;
}

Status writeFilmStrip(const QString &path, const QByteArray &glyphs, int speedCode, const QList<int> &timesMs)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !filmStrip(glyphs, speedCode, timesMs).save(&file, "PNG")
        || !file.commit())
        return Failure{QStringLiteral("无法保存显示画面到 %1：%2").arg(path, file.errorString())};
    return {};
}

} // namespace ledglyph::preview
