#include "core/output_files.h"

#include "core/run_refusals.h"

namespace ledglyph {

std::optional<QString> writeOutputFiles(const QList<OutputFile> &files)
{
    if (const std::optional<FileSetFailure> failure = writeFileSet(files))
        return outputRefusal(failure->path, failure->reason, failure->changed);
    return std::nullopt;
}

} // namespace ledglyph
