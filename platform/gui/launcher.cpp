#include "platform/gui/launcher.h"

#include <QDesktopServices>
#include <QProcess>
#include <QUrl>

namespace ledglyph {

bool DesktopLauncher::openAddress(const QString &address)
{
#ifdef Q_OS_WIN
    return QProcess::startDetached(QStringLiteral("explorer.exe"), {address});
#else
    return QDesktopServices::openUrl(QUrl(address));
#endif
}

bool DesktopLauncher::openFolder(const QString &path)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

} // namespace ledglyph
