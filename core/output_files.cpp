#include "core/output_files.h"

#include "core/run_refusals.h"

namespace ledglyph {

Status writeOutputFiles(const QList<OutputFile> &files)
{
    if (const std::optional<FileSetFailure> failure = writeFileSet(files))
        return Failure{outputRefusal(failure->path, failure->reason, failure->changed)};
    return {};
}

} // namespace ledglyph
