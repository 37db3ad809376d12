#pragma once

#include "download/download_log.h"
#include "platform/serial/serial_link.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

namespace ledglyph {

// Enabled flags of "打开串口" (Command1), "关闭串口" (Command3) and "发送数据"
// (Command2), and of "打开文件" (Command4), which only a running transfer
// takes away: a new listing would wipe the log of the file being sent.
struct DownloadButtons {
    bool openPort = false;
    bool closePort = false;
    bool send = false;
    bool openFile = true;
    friend bool operator==(const DownloadButtons &, const DownloadButtons &) = default;
};

// What the exchange has to tell the user: `text` is the message, its lines
// broken by line feeds.
struct DownloadReport {
    enum class Kind {
        PortOpenFailed,     // the port could not be opened
        PortFailed,         // the port broke while no transfer ran
        NoSpeedChosen,      // "发送数据" with no speed selected: nothing sent
        TransferNotStarted, // the file or the port was not there: nothing sent
        TransferFailed,     // the port broke during the transfer
        TransferStalled,    // the line stopped taking the transfer's bytes
        TransferCompleted,  // every byte of the transfer has left
    };
    Kind kind;
    QString text;
};

// The exchange with the display board, without any widget and without asking
// anything itself: the poll "s" every 100 ms, the board's signal (a batch
// whose last byte is "s"), and the transfer 0x79 0x01 speed, file, 0x73 0x73
// 0x73. The caller shows what it reports and answers its two questions:
// portOpened() is followed by startPolling() once the user has been told how
// to connect the board, and boardSignalled() by download() (send now) or
// sendLater(). Log lines go into the log.
//
// The transfer is reported complete only once every byte is on the line and
// the line has then been quiet long enough for the board to decide about it:
// until then a poll byte (of this window, or of the next download started
// right after) would count as glyph data. For the same reason no poll goes
// out within that time after a transfer that ended early. A write failure, a
// vanished device or a line that stops taking bytes closes the port with one
// report. A close by the user during a transfer throws the rest away at once
// and says so in the log.
class DownloadProtocol : public QObject {
    Q_OBJECT
public:
    // How long the line stays quiet after a transfer's last byte left the
    // driver: the board's decision time, and the time a USB adapter's own
    // buffer (up to 640 bytes on common chips, 0.67 s at 9600 baud) may
    // still take to empty, which no system reports.
    static constexpr int quietAfterTransferMs = LEDGLYPH_DECISION_QUIET_MS + 700;

    // Where the exchange with the display board stands.
    enum class Phase {
        NoFile,    // no glyph file chosen yet; the port is closed
        Closed,    // a file chosen, the port closed
        Polling,   // the port open, the poll "s" every 100 ms, waiting for the board
        Asking,    // the caller is asking the user: how to connect the board (after
                   // opening), or whether to send now (after the board's signal)
        Connected, // the board answered and the user chose to send later
        Sending,   // a transfer's bytes are leaving, then the line is kept quiet
    };
    Q_ENUM(Phase)

    // The buttons a phase enables. A file chosen while the port is open offers
    // "打开串口" again (`reopenOffered`), which opens the port anew.
    static DownloadButtons enabledButtons(Phase phase, bool reopenOffered);

    DownloadProtocol(SerialLink &link, DownloadLog &log, QObject *parent = nullptr);
    ~DownloadProtocol() override;

    // A glyph file was chosen (and could be read): it is what a transfer sends,
    // read again from disk at that moment.
    void chooseFile(const QString &path);
    QString filePath() const { return m_binPath; }

    // Position of the selected speed (0 to 5), −1 when none is selected.
    void setSpeedIndex(int index) { m_speedIndex = index; }

    void openPort();     // "打开串口": opens the port (anew), then portOpened() or a report
    void startPolling(); // the user has read how to connect the board
    void sendLater();    // the user chose not to send at the board's signal
    void download();     // "发送数据", and sending now at the board's signal
    void pollTick();     // one tick of the poll timer
    void onLinkEvent();  // any notification of the port

    // "关闭串口", and the window going away: the poll stops and the port closes;
    // a transfer still leaving is cancelled.
    void closePort();

    Phase phase() const { return m_phase; }
    // Bytes of the last transfer started: header, file and trailer.
    qint64 lastTransferBytes() const { return m_transferBytes; }
    DownloadButtons buttons() const { return enabledButtons(m_phase, m_reopenOffered); }

signals:
    void buttonsChanged();
    // The port is open: the caller tells the user how to connect the board and
    // then calls startPolling().
    void portOpened();
    // The poll has started ("串口已打开" is in the log).
    void pollingStarted();
    // The board answered the poll: the caller asks whether to send now and
    // then calls download() or sendLater().
    void boardSignalled();
    void reported(const DownloadReport &report);
    // A few times a second while a transfer's bytes leave: how many of its
    // `total` bytes are on the line. `sent` == `total` once they all are.
    void transferProgressed(qint64 sent, qint64 total);

private:
    enum class Unsent { Deliver, Discard };

    void enter(Phase phase);
    void closeLink(Unsent unsent);
    void refuse(DownloadReport report);
    void checkTransfer();
    void completeTransfer();
    void onDrainDeadline();
    void onLinkFailed(const QString &reason);

    SerialLink &m_link;
    DownloadLog &m_log;
    QTimer m_poll;
    QTimer m_drainDeadline;
    QTimer m_transferTick;       // looks at the bytes still unsent
    QTimer m_quietAfterTransfer; // from the last byte on the line to the completion
    QElapsedTimer m_sinceTransferEnded;
    qint64 m_transferBytes = 0;
    QString m_binPath;
    int m_speedIndex = -1;
    Phase m_phase = Phase::NoFile;
    bool m_reopenOffered = false;
    // The phase the poll resumes in after opening: opening the port anew does
    // not take "发送数据" back from a board that has answered.
    Phase m_pollingPhase = Phase::Polling;
};

} // namespace ledglyph
