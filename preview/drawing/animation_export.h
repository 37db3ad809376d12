#pragma once

// The scroll as a sequence of pictures, for sharing: one picture per step of
// the board from the moment the glyphs arrived.

#include "platform/result.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace ledglyph::preview {

// The animated format a Qt image writer here writes ("apng" or "gif"), or
// empty: Debian's Qt writes neither, and the export falls back to a series.
QByteArray animatedImageFormat();

// Steps in an export: one pass of the strip, at most ten seconds of it.
int animationSteps(int stripColumns, int speedCode);

// Writes the first `steps` frames, with dots of `dotPixels`: one animated
// image at `path` when animatedImageFormat() has a writer (at the writer's
// own frame delay: QImageWriter has no setting for it), otherwise a numbered
// PNG series beside it (for "sign.png": sign-001.png, sign-002.png, ...).
// The files written, or why they could not be.
Result<QStringList> writeAnimation(const QString &path, const QByteArray &glyphs, int steps, int dotPixels);

} // namespace ledglyph::preview
