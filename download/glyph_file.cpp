#include "download/glyph_file.h"

#include "download/download_texts.h"

#include <QFile>
#include <QFileInfo>

namespace ledglyph {

Result<QByteArray> readGlyphFile(const QString &path)
{
    if (const QFileInfo info(path); info.exists() && !info.isFile())
        return Failure{download_texts::glyphFileNotRegular(path)};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Failure{download_texts::glyphFileUnreadable(path, file.errorString())};
    // One byte more than allowed tells a too large file without reading all of it.
    QByteArray bytes = file.read(maxGlyphFileBytes + 1);
    if (file.error() != QFileDevice::NoError)
        return Failure{download_texts::glyphFileUnreadable(path, file.errorString())};
    if (bytes.size() > maxGlyphFileBytes)
        return Failure{download_texts::glyphFileTooLarge(path, qMax<qint64>(file.size(), bytes.size()), maxGlyphFileBytes)};
    return bytes;
}

std::optional<QString> boardRefusalWarning(qint64 size)
{
    const qint64 cells = size - glyphFileTailBytes;
    if (cells < cellBytes || cells % cellBytes != 0)
        return download_texts::notAGlyphFileSize(size);
    if (size > LEDGLYPH_GLYPH_FILE_MAX_BYTES)
        return download_texts::beyondBoardCapacity(size, LEDGLYPH_GLYPH_FILE_MAX_BYTES, LEDGLYPH_MAX_CHARACTERS);
    return std::nullopt;
}

QString hexListing(const QByteArray &bytes)
{
    const qint64 shown = bytes.size() - glyphFileTailBytes;
    QString listing;
    if (shown <= 0)
        return listing;
    listing.reserve(shown * 6);
    for (qint64 i = 0; i < shown; ++i) {
        listing += QStringLiteral("0x");
        listing += QString::number(static_cast<quint8>(bytes.at(i)), 16).toUpper();
        listing += QStringLiteral(", ");
    }
    return listing;
}

QString sizeLine(qint64 fileSize)
{
    return download_texts::sizeLinePrefix + QString::number(fileSize - glyphFileTailBytes)
           + download_texts::sizeLineUnit;
}

} // namespace ledglyph
