#include "platform/file_set_failure.h"

#include "platform/system_reason.h"

namespace ledglyph {

QString fileSetFailureMessage(const FileSetFailure &failure, const QString &advice)
{
    QString message = QStringLiteral("无法写入输出文件“%1”。").arg(failure.path) + advice;
    if (failure.changed.isEmpty())
        message += QStringLiteral("所有输出文件都没有改动。");
    else
        message += QStringLiteral("以下文件已被替换为本次的结果，且无法恢复原文件，其余输出文件未改动：%1。")
                       .arg(failure.changed.join(QStringLiteral("、")));
    return withSystemReason(message, failure.reason);
}

} // namespace ledglyph
