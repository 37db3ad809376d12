#include "desktop/window_navigator.h"

#include "download/download_window.h"
#include "ui/main_window.h"

namespace ledglyph {

WindowNavigator::WindowNavigator(DesktopServices &services, QObject *parent)
    : QObject(parent), m_services(services)
{
}

void WindowNavigator::showMainWindow()
{
    auto *mainWindow = new MainWindow(m_services);
    mainWindow->setAttribute(Qt::WA_DeleteOnClose);
    // The download window is shown first, then the main window closes, so the
    // program never finds itself without a window in between.
    connect(mainWindow, &MainWindow::downloadRequested, this, [this, mainWindow] {
        showDownloadWindow();
        mainWindow->close();
    });
    mainWindow->show();
}

void WindowNavigator::showDownloadWindow()
{
    auto *window = new DownloadWindow(m_services);
    window->setAttribute(Qt::WA_DeleteOnClose);
    connect(window, &DownloadWindow::returnRequested, this, [this, window] {
        showMainWindow();
        window->close();
    });
    window->show();
}

} // namespace ledglyph
