#include "platform/gui/launcher.h"

#include <QDesktopServices>
#include <QProcess>
#include <QUrl>

namespace ledglyph {

void DesktopLauncher::openAddress(const QString &address)
{
#ifdef Q_OS_WIN
    QProcess::startDetached(QStringLiteral("explorer.exe"), {address});
#else
    QDesktopServices::openUrl(QUrl(address));
#endif
}

} // namespace ledglyph
