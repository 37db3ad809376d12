#include "desktop/window_navigator.h"

#include "desktop/window_place.h"
#include "download/download_window.h"
#include "ui/about_window.h"
#include "ui/main_window.h"
#include "ui/preview_window.h"
#include "ui/program_icon.h"

namespace ledglyph {

WindowNavigator::WindowNavigator(DesktopServices &services, QObject *parent)
    : QObject(parent), m_services(services)
{
}

WindowNavigator::~WindowNavigator()
{
    delete m_about;
}

MainWindow *WindowNavigator::openMainWindow()
{
    auto *mainWindow = new MainWindow(m_services);
    mainWindow->setAttribute(Qt::WA_DeleteOnClose);
    // The download window is shown first, then the main window closes, so the
    // program never finds itself without a window in between.
    connect(mainWindow, &MainWindow::downloadRequested, this, [this, mainWindow] {
        showDownloadWindowFor(*mainWindow);
        mainWindow->close();
    });
    connectAbout(*mainWindow);
    connectPreview(*mainWindow);
    return mainWindow;
}

void WindowNavigator::showMainWindow()
{
    MainWindow *mainWindow = openMainWindow();
    centreOnScreen(*mainWindow);
    mainWindow->show();
}

void WindowNavigator::showMainWindowFor(QWidget &downloadWindow)
{
    MainWindow *mainWindow = openMainWindow();
    takePlaceOf(*mainWindow, downloadWindow);
    mainWindow->show();
}

void WindowNavigator::connectAbout(MainWindow &mainWindow)
{
    connect(&mainWindow, &MainWindow::aboutRequested, this,
            [this, window = &mainWindow] { showAboutWindow(*window); });
}

void WindowNavigator::showAboutWindow(const QWidget &over)
{
    if (!m_about) {
        m_about = new AboutWindow(m_services.launcher, m_services.messageBox);
        m_about->setAttribute(Qt::WA_DeleteOnClose);
        // It opens centred on the main window, not in a corner of the screen.
        QRect placed = m_about->frameGeometry();
        placed.moveCenter(over.frameGeometry().center());
        m_about->move(placed.topLeft());
    }
    m_about->show();
    m_about->raise();
    m_about->activateWindow();
}

void WindowNavigator::connectPreview(MainWindow &mainWindow)
{
    connect(&mainWindow, &MainWindow::previewRequested, this,
            [this, window = &mainWindow](const preview::PreviewSource &source) { showPreviewWindow(*window, source); });
}

void WindowNavigator::connectPreview(DownloadWindow &downloadWindow)
{
    connect(&downloadWindow, &DownloadWindow::previewRequested, this,
            [this, window = &downloadWindow](const preview::PreviewSource &source) { showPreviewWindow(*window, source); });
}

void WindowNavigator::showPreviewWindow(QWidget &owner, const preview::PreviewSource &source)
{
    auto *preview = owner.findChild<PreviewWindow *>(QString(), Qt::FindDirectChildrenOnly);
    if (!preview) {
        preview = new PreviewWindow(m_services, &owner);
        preview->setAttribute(Qt::WA_DeleteOnClose);
        QRect placed(QPoint(), preview->sizeHint());
        placed.moveCenter(owner.frameGeometry().center());
        preview->move(placed.topLeft());
    }
    preview->play(source);
    preview->show();
    preview->raise();
    preview->activateWindow();
}

void WindowNavigator::showDownloadWindowFor(QWidget &mainWindow)
{
    auto *window = new DownloadWindow(m_services);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowIcon(programIcon());
    connect(window, &DownloadWindow::returnRequested, this, [this, window] {
        showMainWindowFor(*window);
        window->close();
    });
    connectPreview(*window);
    takePlaceOf(*window, mainWindow);
    window->show();
}

} // namespace ledglyph
