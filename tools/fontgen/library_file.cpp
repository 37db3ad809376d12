#include "tools/fontgen/library_file.h"

#include <QSaveFile>

namespace ledglyph::fontgen {

QString writeLibraryFile(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return QStringLiteral("无法创建 %1：%2").arg(path, file.errorString());
    if (file.write(bytes) != bytes.size() || !file.commit())
        return QStringLiteral("无法写入 %1：%2").arg(path, file.errorString());
    return {};
}

} // namespace ledglyph::fontgen
