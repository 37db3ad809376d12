#include "core/output_files.h"

#include "core/run_refusals.h"

#include <QSaveFile>

#include <memory>
#include <vector>

namespace ledglyph {

std::optional<QString> writeOutputFiles(const QList<OutputFile> &files)
{
    std::vector<std::unique_ptr<QSaveFile>> pending;
    for (const OutputFile &file : files) {
        auto saver = std::make_unique<QSaveFile>(file.path);
        if (!saver->open(QIODevice::WriteOnly)
            || saver->write(file.bytes) != file.bytes.size()) {
            // The unfinished temporary copies are discarded with their savers.
            return outputRefusal(file.path, saver->errorString(), {});
        }
        pending.push_back(std::move(saver));
    }

    QStringList replaced;
    for (const std::unique_ptr<QSaveFile> &saver : pending) {
        if (!saver->commit())
            return outputRefusal(saver->fileName(), saver->errorString(), replaced);
        replaced << saver->fileName();
    }
    return std::nullopt;
}

} // namespace ledglyph
