#pragma once

#include "platform/gui/desktop_services.h"

#include <QObject>

namespace ledglyph {

// The main window and the download window are never open together: each hands
// over to the other, and the main window is created anew on every return.
class WindowNavigator : public QObject {
    Q_OBJECT
public:
    explicit WindowNavigator(DesktopServices &services, QObject *parent = nullptr);

    void showMainWindow();
    void showDownloadWindow();

private:
    DesktopServices &m_services;
};

} // namespace ledglyph
