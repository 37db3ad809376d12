#pragma once

#include <QString>

namespace ledglyph {

// Starts the system's browser on an address, or its file manager on a folder,
// without waiting for it. Each returns false when nothing could be started.
class Launcher {
public:
    virtual ~Launcher() = default;
    virtual bool openAddress(const QString &address) = 0;
    virtual bool openFolder(const QString &path) = 0;
};

// On Windows "explorer.exe <address>"; elsewhere the desktop's URL handler.
class DesktopLauncher final : public Launcher {
public:
    bool openAddress(const QString &address) override;
    bool openFolder(const QString &path) override;
};

} // namespace ledglyph
