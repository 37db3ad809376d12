#include "tools/fontgen/library_file.h"

namespace ledglyph::fontgen {

Result<QStringList> writeLibraryFiles(const QList<FileContent> &files)
{
    const FileSetOutcome outcome = writeFileSet(files);
    const std::optional<FileSetFailure> &failure = outcome.failure;
    if (!failure)
        return outcome.leftBehind;
    QString message = QStringLiteral("无法写入 %1：%2").arg(failure->path, failure->reason);
    if (failure->changed.isEmpty())
        message += QStringLiteral("（所有文件都没有改动）");
    else
        message += QStringLiteral("（以下文件已被替换且无法恢复原文件：%1）").arg(failure->changed.join(QStringLiteral("、")));
    return Failure{message};
}

} // namespace ledglyph::fontgen
