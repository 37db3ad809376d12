#include "core/output_files.h"

#include "core/run_refusals.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include <memory>
#include <vector>

namespace ledglyph {

namespace {

// The system's reason, or a plainer one when the folder itself is missing
// (the system then only says "Unknown error").
QString failureReason(const QSaveFile &saver)
{
    const QFileInfo folder(QFileInfo(saver.fileName()).absolutePath());
    if (!folder.isDir())
        return QStringLiteral("文件夹“%1”不存在或不是文件夹").arg(QDir::toNativeSeparators(folder.filePath()));
    return saver.errorString();
}

} // namespace

std::optional<QString> writeOutputFiles(const QList<OutputFile> &files)
{
    std::vector<std::unique_ptr<QSaveFile>> pending;
    for (const OutputFile &file : files) {
        auto saver = std::make_unique<QSaveFile>(file.path);
        if (!saver->open(QIODevice::WriteOnly)
            || saver->write(file.bytes) != file.bytes.size()) {
            // The unfinished temporary copies are discarded with their savers.
            return outputRefusal(file.path, failureReason(*saver), {});
        }
        pending.push_back(std::move(saver));
    }

    QStringList replaced;
    for (const std::unique_ptr<QSaveFile> &saver : pending) {
        if (!saver->commit())
            return outputRefusal(saver->fileName(), failureReason(*saver), replaced);
        replaced << saver->fileName();
    }
    return std::nullopt;
}

} // namespace ledglyph
