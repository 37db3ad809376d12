#pragma once

#include "platform/gui/desktop_services.h"
#include "preview/preview_source.h"

#include <QObject>
#include <QPointer>

class QWidget;

namespace ledglyph {

class AboutWindow;
class DownloadWindow;
class MainWindow;

// The main window and the download window are never open together: each hands
// over to the other, and the main window is created anew on every return. The
// program's one about window belongs to the navigator, not to a main window;
// a preview window belongs to the window that opened it.
class WindowNavigator : public QObject {
    Q_OBJECT
public:
    explicit WindowNavigator(DesktopServices &services, QObject *parent = nullptr);
    ~WindowNavigator() override;

    // The first main window, centred on the screen.
    void showMainWindow();
    // The main window and the download window each open in the place of the
    // other, which then closes.
    void showMainWindowFor(QWidget &downloadWindow);
    void showDownloadWindowFor(QWidget &mainWindow);
    // The main window's "关于" opens the about window over it.
    void connectAbout(MainWindow &mainWindow);
    // Opens the about window centred on `over`, or brings the open one to the front.
    void showAboutWindow(const QWidget &over);
    // The window's "显示预览" (Ctrl+P) opens its preview window.
    void connectPreview(MainWindow &mainWindow);
    void connectPreview(DownloadWindow &downloadWindow);
    // Plays `source` in the preview window of `owner`, opened centred on it
    // when it has none. The preview is a tool window that belongs to the
    // window that asked for it: it stays over it and closes with it, so it
    // never outlives a hand-over between the main and the download window.
    void showPreviewWindow(QWidget &owner, const preview::PreviewSource &source);

private:
    MainWindow *openMainWindow();

    DesktopServices &m_services;
    // Independent of the main window: it may outlive it (and keep the program
    // running), and a main window created anew after a trip to the download
    // window finds it still open. Deleted on close.
    QPointer<AboutWindow> m_about;
};

} // namespace ledglyph
