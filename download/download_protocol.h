#pragma once

#include "download/download_log.h"
#include "platform/gui/message_box.h"
#include "platform/serial/serial_link.h"

#include <QObject>
#include <QTimer>

namespace ledglyph {

// Enabled flags of "打开串口" (Command1), "关闭串口" (Command3) and "发送数据" (Command2).
struct DownloadButtons {
    bool openPort = false;
    bool closePort = false;
    bool send = false;
    friend bool operator==(const DownloadButtons &, const DownloadButtons &) = default;
};

// The exchange with the display board, without any widget: the poll "s" every
// 100 ms, the board's signal (a batch whose last byte is "s"), the
// confirmation, and the transfer 0x79 0x01 speed, file, 0x73 0x73 0x73. It
// drives the three port buttons and writes its reports into the log.
//
// The transfer is reported complete only once the link has taken every queued
// byte; a write failure, a vanished device or a line that stops taking bytes
// closes the port with one message. A close by the user during a transfer
// throws the rest away at once and says so in the log.
class DownloadProtocol : public QObject {
    Q_OBJECT
public:
    // Where the exchange stands. A board signal counts only while Polling or
    // Connected: never while one of our boxes waits for the user, nor while a
    // transfer's bytes are leaving.
    enum class Phase {
        Closed,    // port closed
        Polling,   // port open, the poll "s" running
        Asking,    // a box of the exchange waits for the user (prompt, confirmation, result)
        Connected, // the board answered and the user chose to send later
        Sending,   // a transfer's bytes are queued and leaving
    };

    DownloadProtocol(SerialLink &link, MessageBox &messageBox, DownloadLog &log,
                     QObject *parent = nullptr);
    ~DownloadProtocol() override;

    // A glyph file was chosen (and could be read): it is what a transfer sends,
    // read again from disk at that moment; "打开串口" becomes available.
    void chooseFile(const QString &path);
    QString filePath() const { return m_binPath; }

    // Position of the selected speed (0 to 5), −1 when none is selected.
    void setSpeedIndex(int index) { m_speedIndex = index; }

    void openPort();  // "打开串口"
    void closePort(); // "关闭串口"
    void download();  // "发送数据", and OK in the confirmation box
    void pollTick();  // one tick of the poll timer
    void onComm();    // any notification of the port

    // Stops the poll and closes the port; the window is going away.
    void shutDown();

    DownloadButtons buttons() const { return m_buttons; }
    bool polling() const { return m_poll.isActive(); }
    bool transferring() const { return m_phase == Phase::Sending; }
    Phase phase() const { return m_phase; }

signals:
    void buttonsChanged();

private:
    void setButtons(DownloadButtons buttons);
    MessageAnswer ask(const QString &prompt, MessageIcon icon, const QString &title);
    void afterRefusal();
    void completeTransfer();
    void onDrainDeadline();
    void cancelTransfer();
    void onLinkFailed(const QString &reason);
    void toClosedState();

    SerialLink &m_link;
    MessageBox &m_messageBox;
    DownloadLog &m_log;
    QTimer m_poll;
    QTimer m_drainDeadline;
    QString m_binPath;
    int m_speedIndex = -1;
    DownloadButtons m_buttons;
    Phase m_phase = Phase::Closed;
};

} // namespace ledglyph
