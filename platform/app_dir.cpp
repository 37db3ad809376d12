#include "platform/app_dir.h"

#include <QCoreApplication>
#include <QDir>

namespace ledglyph {

QString appDir()
{
    return QDir::toNativeSeparators(QCoreApplication::applicationDirPath());
}

QString pathIn(const QString &dir, const QString &name)
{
    return QDir::toNativeSeparators(QDir(dir).filePath(name));
}

} // namespace ledglyph
