#include "tools/fontgen/font_file.h"

#include <QFile>

namespace ledglyph::fontgen {

FontFileBytes readFontFile(const QString &path)
{
    FontFileBytes result;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.error = QStringLiteral("无法打开字体文件 %1：%2").arg(path, file.errorString());
        return result;
    }
    constexpr qint64 chunk = 1024 * 1024;
    for (;;) {
        // One byte beyond the limit tells a file of exactly the limit from a larger one.
        const qint64 room = maxFontFileBytes + 1 - result.bytes.size();
        const QByteArray part = file.read(std::min(chunk, room));
        if (part.isEmpty())
            break;
        result.bytes += part;
        if (result.bytes.size() > maxFontFileBytes) {
            result.error = QStringLiteral("字体文件 %1 超过 %2 MB，不予读取")
                               .arg(path)
                               .arg(maxFontFileBytes / (1024 * 1024));
            return result;
        }
    }
    if (file.error() != QFileDevice::NoError) {
        result.error = QStringLiteral("读取字体文件 %1 失败：%2").arg(path, file.errorString());
        return result;
    }
    if (result.bytes.isEmpty())
        result.error = QStringLiteral("字体文件 %1 是空的").arg(path);
    return result;
}

} // namespace ledglyph::fontgen
