#include "preview/drawing/animation_export.h"

#include "preview/board_frames.h"
#include "preview/drawing/matrix_drawing.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImageWriter>
#include <QSaveFile>

namespace ledglyph::preview {

namespace {

constexpr int longestAnimationMs = 10000;

QString failedText(const QString &path, const QString &reason)
{
    return QStringLiteral("无法保存动画到 %1：%2").arg(path, reason);
}

// "sign.png", 7 -> "sign-007.png": three digits or more, so that the names sort in order.
QString seriesPath(const QString &path, int number, int count)
{
    const QFileInfo file(path);
    const int digits = qMax(3, int(QString::number(count).size()));
    return file.dir().filePath(QStringLiteral("%1-%2.png").arg(file.completeBaseName()).arg(number, digits, 10, QLatin1Char('0')));
}

} // namespace

QByteArray animatedImageFormat()
{
    const QList<QByteArray> formats = QImageWriter::supportedImageFormats();
    for (const QByteArray &format : {QByteArray("apng"), QByteArray("gif")}) {
        if (!formats.contains(format))
            continue;
        QBuffer probe;
        probe.open(QIODevice::WriteOnly);
        if (QImageWriter(&probe, format).supportsOption(QImageIOHandler::Animation))
            return format;
    }
    return {};
}

int animationSteps(int stripColumns, int speedCode)
{
    return qMax(1, qMin(stripColumns, longestAnimationMs / BoardFrames::stepMs(speedCode)));
}

Result<QStringList> writeAnimation(const QString &path, const QByteArray &glyphs, int steps, int dotPixels)
{
    BoardFrames frames(glyphs);
    if (const QByteArray format = animatedImageFormat(); !format.isEmpty()) {
        // A writer that animates takes the frames one write() after the other.
        QSaveFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            return Failure{failedText(path, file.errorString())};
        QImageWriter writer(&file, format);
        for (int step = 0; step < steps; ++step) {
            frames.seek(step);
            if (!writer.write(matrixPicture(frames, dotPixels)))
                return Failure{failedText(path, writer.errorString())};
        }
        if (!file.commit())
            return Failure{failedText(path, file.errorString())};
        return QStringList{path};
    }
    QStringList written;
    for (int step = 0; step < steps; ++step) {
        frames.seek(step);
        const QString picturePath = seriesPath(path, step + 1, steps);
        QSaveFile file(picturePath);
        if (!file.open(QIODevice::WriteOnly) || !matrixPicture(frames, dotPixels).save(&file, "PNG") || !file.commit())
            return Failure{failedText(picturePath, file.errorString())};
        written << picturePath;
    }
    return written;
}

} // namespace ledglyph::preview
