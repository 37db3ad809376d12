#pragma once

// The matrix as the eye sees it: round red LEDs on a black board, the unlit
// ones dimmed. The preview window, its exports and ledglyph-board's film
// strip draw it the same way.

#include "platform/result.h"
#include "preview/board_frames.h"

#include <QImage>
#include <QList>
#include <QString>

class QPainter;

namespace ledglyph::preview {

// A dot and the gap around it, at the window's 100 % and in the film strip.
inline constexpr int filmDotPixels = 8;

// A frame's picture: 64 × 16 dots of `dotPixels` with a border of one dot.
QSize matrixPictureSize(int dotPixels);
void drawMatrix(QPainter &painter, const BoardFrames &frames, QPoint topLeft, int dotPixels);
QImage matrixPicture(const BoardFrames &frames, int dotPixels);

// The film strip's times unless told others: 0 to 2.5 s, every 0.5 s.
inline const QList<int> filmStripTimesMs{0, 500, 1000, 1500, 2000, 2500};

// The matrix at each of `timesMs` (milliseconds after the glyphs arrived),
// one frame under the other.
QImage filmStrip(const QByteArray &glyphs, int speedCode, const QList<int> &timesMs);

// Writes the film strip as a PNG file, or says why it cannot be written.
Status writeFilmStrip(const QString &path, const QByteArray &glyphs, int speedCode, const QList<int> &timesMs);

} // namespace ledglyph::preview
