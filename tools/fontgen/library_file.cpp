#include "tools/fontgen/library_file.h"

namespace ledglyph::fontgen {

Result<QStringList> writeLibraryFiles(const QList<FileContent> &files)
{
    const Result<QStringList, FileSetFailure> written = writeFileSet(files);
    if (!written.ok())
        return Failure{fileSetFailureMessage(written.error())};
    return written.value();
}

} // namespace ledglyph::fontgen
