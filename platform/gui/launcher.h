#pragma once

#include <QString>

namespace ledglyph {

// Starts the system's browser on an address without waiting for it.
class Launcher {
public:
    virtual ~Launcher() = default;
    virtual void openAddress(const QString &address) = 0;
};

// On Windows "explorer.exe <address>"; elsewhere the desktop's URL handler.
class DesktopLauncher final : public Launcher {
public:
    void openAddress(const QString &address) override;
};

} // namespace ledglyph
