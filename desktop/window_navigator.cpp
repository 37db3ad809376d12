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
    auto *form1 = new Form1(m_services);
    form1->setAttribute(Qt::WA_DeleteOnClose);
    // The download window is shown first, then the main window closes, so the
    // program never finds itself without a window in between.
    connect(form1, &Form1::downloadRequested, this, [this, form1] {
        showDownloadWindow();
        form1->close();
    });
    form1->show();
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
