#include "core/output_files.h"

#include "core/run_refusals.h"

namespace ledglyph {

Result<QString> writeOutputFiles(const QList<OutputFile> &files)
{
    const FileSetOutcome outcome = writeFileSet(files);
    if (const std::optional<FileSetFailure> &failure = outcome.failure)
        return Failure{outputRefusal(failure->path, failure->reason, failure->changed)};
    if (outcome.leftBehind.isEmpty())
        return QString();
    return QStringLiteral("输出文件已全部写入，但写入时留下的以下文件未能删除，可以手动删除：%1。")
        .arg(outcome.leftBehind.join(QStringLiteral("、")));
}

} // namespace ledglyph
