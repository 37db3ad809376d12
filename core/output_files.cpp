#include "core/output_files.h"

namespace ledglyph {

Result<QString> writeOutputFiles(const QList<OutputFile> &files)
{
    const Result<QStringList, FileSetFailure> written = writeFileSet(files);
    if (!written.ok())
        return Failure{fileSetFailureMessage(
            written.error(), QStringLiteral("请检查输出文件夹是否存在、是否可写，文件是否被其他程序占用，然后再取模。"))};
    if (written.value().isEmpty())
        return QString();
    return QStringLiteral("输出文件已全部写入，但写入时留下的以下文件未能删除，可以手动删除：%1。")
        .arg(written.value().join(QStringLiteral("、")));
}

} // namespace ledglyph
