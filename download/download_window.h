#pragma once

#include "download/download_log.h"
#include "download/download_protocol.h"
#include "platform/gui/desktop_services.h"
#include "platform/serial/serial_link.h"

#include <QWidget>

#include <memory>

class QComboBox;
class QGroupBox;
class QPlainTextEdit;
class QPushButton;

namespace ledglyph {

// The serial download window: choose a glyph file, see it as a hex listing,
// open COM1 and send the file to the display board. Controls carry their form
// names as object names (Combo1, Command1, Text1, Timer1, MSComm1, ...).
class Form3 : public QWidget {
    Q_OBJECT
public:
    // Uses the serial device that stands for COM1.
    explicit Form3(DesktopServices &services, QWidget *parent = nullptr);
    // Uses the given serial link (tests).
    Form3(DesktopServices &services, std::unique_ptr<SerialLink> link, QWidget *parent = nullptr);
    ~Form3() override;

    // The exact text of Text1, with its CR LF line ends (the box itself shows LF).
    const QString &text1Content() const { return m_log.text(); }
    DownloadProtocol &protocol() { return *m_protocol; }

signals:
    // "返回" was pressed: the main window is to be shown and this one closed.
    void returnRequested();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildControls();
    void formLoad();
    void openFile();          // Command4
    void showText(bool focusAtEnd);
    void showButtons();

    DesktopServices &m_services;
    WindowMessageBox m_messageBox; // boxes of this window open centred on it
    std::unique_ptr<SerialLink> m_link;
    DownloadLog m_log;
    DownloadProtocol *m_protocol = nullptr;

    QGroupBox *m_frame1 = nullptr;
    QGroupBox *m_frame2 = nullptr;
    QComboBox *m_combo1 = nullptr;
    QComboBox *m_combo2 = nullptr;
    QPushButton *m_command1 = nullptr;
    QPushButton *m_command2 = nullptr;
    QPushButton *m_command3 = nullptr;
    QPushButton *m_command4 = nullptr;
    QPushButton *m_command5 = nullptr;
    QPlainTextEdit *m_text1 = nullptr;
};

} // namespace ledglyph
