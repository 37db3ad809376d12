#pragma once

#include "download/download_log.h"
#include "download/download_prompts.h"
#include "download/download_protocol.h"
#include "download/port_chooser.h"
#include "platform/gui/desktop_services.h"
#include "platform/serial/serial_link.h"
#include "preview/preview_source.h"

#include <QWidget>

#include <memory>

class QComboBox;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace ledglyph {

// The serial download window: choose a glyph file, see it as a hex listing,
// open COM1 and send the file to the display board.
//
// Controls carry their form names as object names, which tests and automation use:
//   Form3     the window itself
//   Frame2    m_settingsFrame     Frame1   m_sendFrame
//   Combo1    m_displayModeList   Combo2   m_speedList
//   Command4  m_openFileButton    Command1 m_openPortButton
//   Command3  m_closePortButton   Command2 m_sendButton
//   Command5  m_returnButton      Text1    m_logBox
//   Timer1    the protocol's poll timer
// Under the frames: left portChooser, the device that stands for COM1;
// right transferProgress m_progressLine, how far a transfer is.
// Ctrl+P asks for the preview of the file listed, at the speed chosen.
class DownloadWindow : public QWidget {
    Q_OBJECT
public:
    // Talks to the board over the serial link that `services` makes.
    explicit DownloadWindow(DesktopServices &services, QWidget *parent = nullptr);

    // The exact text of Text1, with its CR LF line ends (the box itself shows LF).
    const QString &logText() const { return m_log.text(); }

signals:
    // "返回" was pressed: the main window is to be shown and this one closed.
    void returnRequested();
    // Ctrl+P: the file listed, as the display board shows it at the speed chosen.
    void previewRequested(const ledglyph::preview::PreviewSource &source);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildControls();
    void fillLists();
    void showHelpText();
    void onOpenFileClicked();
    void onOpenPortClicked();
    void onPollingStarted();
    void showLog(DownloadLog::Focus focus);
    void showButtons();
    void showProgress(qint64 sent, qint64 total);
    void onReported(const DownloadReport &report);
    void onPreviewShortcut();

    DesktopServices &m_services;
    WindowMessageBox m_messageBox; // boxes of this window open centred on it
    std::unique_ptr<SerialLink> m_link;
    DownloadLog m_log;
    DownloadProtocol m_protocol;
    std::unique_ptr<DownloadPrompts> m_prompts;

    QGroupBox *m_settingsFrame = nullptr;
    QGroupBox *m_sendFrame = nullptr;
    QComboBox *m_displayModeList = nullptr;
    QComboBox *m_speedList = nullptr;
    QPushButton *m_openFileButton = nullptr;
    QPushButton *m_openPortButton = nullptr;
    QPushButton *m_closePortButton = nullptr;
    QPushButton *m_sendButton = nullptr;
    QPushButton *m_returnButton = nullptr;
    QPlainTextEdit *m_logBox = nullptr;
    QLabel *m_progressLine = nullptr; // below the frames, at the right
    PortChooser *m_portChooser = nullptr;
};

} // namespace ledglyph
