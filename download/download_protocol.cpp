#include "download/download_protocol.h"

#include "download/download_texts.h"
#include "download/glyph_file.h"

#include <chrono>

namespace ledglyph {

namespace texts = download_texts;

namespace {
constexpr char pollByte = 0x73;
constexpr int pollIntervalMs = 100;
const QByteArray trailer("\x73\x73\x73", 3);
} // namespace

DownloadProtocol::DownloadProtocol(SerialLink &link, MessageBox &messageBox, DownloadLog &log,
                                   QObject *parent)
    : QObject(parent), m_link(link), m_messageBox(messageBox), m_log(log), m_poll(this),
      m_drainDeadline(this)
{
    m_poll.setObjectName(QStringLiteral("Timer1"));
    m_poll.setInterval(pollIntervalMs);
    connect(&m_poll, &QTimer::timeout, this, &DownloadProtocol::pollTick);
    m_drainDeadline.setObjectName(QStringLiteral("drainDeadline"));
    m_drainDeadline.setSingleShot(true);
    connect(&m_drainDeadline, &QTimer::timeout, this, &DownloadProtocol::onDrainDeadline);
    connect(&m_link, &SerialLink::notified, this, &DownloadProtocol::onComm);
    connect(&m_link, &SerialLink::allWritten, this, [this] {
        // A late report about an earlier poll byte is no news while a transfer's bytes wait.
        if (m_phase == Phase::Sending && m_link.bytesToWrite() == 0)
            completeTransfer();
    });
    connect(&m_link, &SerialLink::failed, this, &DownloadProtocol::onLinkFailed);
}

DownloadProtocol::~DownloadProtocol()
{
    shutDown();
}

void DownloadProtocol::chooseFile(const QString &path)
{
    m_binPath = path;
    DownloadButtons next = m_buttons;
    next.openPort = true;
    setButtons(next);
}

void DownloadProtocol::openPort()
{
    // The poll starts again once the prompt is answered.
    m_poll.stop();
    if (m_phase == Phase::Sending)
        cancelTransfer();
    else
        m_link.close();
    m_phase = Phase::Closed;
    if (const std::optional<QString> reason = m_link.open(LineSettings::download())) {
        setButtons({true, false, false});
        m_messageBox.show(texts::portOpenFailed(m_link.deviceName(), *reason), MessageIcon::Exclamation,
                          texts::portTitle);
        return;
    }
    ask(texts::openPortPrompt, MessageIcon::Exclamation, texts::portTitle);
    // The port may have failed while the box was open; then it is closed and reported already.
    if (!m_link.isOpen())
        return;
    m_log.append(texts::portOpenedLog);
    setButtons({false, true, m_buttons.send});
    m_phase = Phase::Polling;
    m_poll.start();
}

void DownloadProtocol::closePort()
{
    shutDown();
    setButtons({true, false, false});
}

void DownloadProtocol::pollTick()
{
    // The poll may outlive the port (a transfer leaves it running): never write to a closed port.
    if (m_link.isOpen())
        m_link.write(QByteArray(1, pollByte));
}

void DownloadProtocol::onComm()
{
    const QByteArray batch = m_link.readAll();
    // A signal while a box waits for the user or a transfer runs would stack a
    // second confirmation and could send the file twice: it is dropped.
    const bool listening = m_phase == Phase::Polling || m_phase == Phase::Connected;
    if (!listening || batch.isEmpty() || batch.back() != pollByte)
        return;
    m_poll.stop();
    m_log.append(texts::boardSignalLog);
    if (ask(texts::confirmPrompt, MessageIcon::Question, texts::transferTitle) == MessageAnswer::Ok) {
        download();
    } else if (m_phase == Phase::Asking) { // unless the port failed while the box was open
        m_phase = Phase::Connected;
        DownloadButtons next = m_buttons;
        next.send = true;
        setButtons(next);
    }
}

void DownloadProtocol::download()
{
    if (m_phase == Phase::Sending)
        return; // one transfer at a time
    const int speedCode = m_speedIndex + 1;
    if (speedCode <= 0) {
        ask(texts::noSpeedPrompt, MessageIcon::Information, texts::transferTitle);
        afterRefusal();
        return;
    }
    m_log.append(texts::downloadingLog, DownloadLog::Form::AfterEmptyLine);
    DownloadButtons sending = m_buttons;
    sending.send = false;
    setButtons(sending);

    // The file as it is on disk now, read whole before the first byte goes out.
    const GlyphFile file = readGlyphFile(m_binPath);
    const QString notStarted = !file.ok()          ? file.problem
                               : !m_link.isOpen() ? texts::portClosedBeforeTransfer
                                                  : QString();
    if (!notStarted.isEmpty()) {
        m_log.append(texts::transferNotStartedLog);
        ask(texts::transferNotStarted(notStarted), MessageIcon::Exclamation, texts::transferTitle);
        afterRefusal();
        return;
    }

    const QByteArray header{"\x79\x01", 2};
    m_phase = Phase::Sending;
    const bool queued = m_link.write(header + QByteArray(1, static_cast<char>(speedCode)))
                        && m_link.write(file.bytes) && m_link.write(trailer);
    if (!queued) {
        onLinkFailed(m_link.isOpen() ? QStringLiteral("写入失败") : QStringLiteral("串口已关闭"));
        return;
    }
    // Completion waits until the link has taken every byte; a failure before that
    // ends the transfer, and so does a line that takes them far slower than it should.
    if (const qint64 queuedBytes = m_link.bytesToWrite(); queuedBytes > 0)
        m_drainDeadline.start(std::chrono::milliseconds(
            drainDeadlineMs(queuedBytes, LineSettings::download().baudRate)));
    else
        completeTransfer();
}

// Shows a box of the exchange; no board signal counts until the caller moves on.
MessageAnswer DownloadProtocol::ask(const QString &prompt, MessageIcon icon, const QString &title)
{
    m_phase = Phase::Asking;
    return m_messageBox.show(prompt, icon, title);
}

// A transfer that did not start leaves "发送数据" to try again while the port is open.
void DownloadProtocol::afterRefusal()
{
    const bool open = m_link.isOpen();
    m_phase = !open ? Phase::Closed : m_poll.isActive() ? Phase::Polling : Phase::Connected;
    DownloadButtons next = m_buttons;
    next.send = open;
    setButtons(next);
}

void DownloadProtocol::completeTransfer()
{
    m_drainDeadline.stop();
    DownloadButtons sent = m_buttons;
    sent.send = true;
    setButtons(sent);
    m_log.append(texts::completedLog, DownloadLog::Form::EndedByBreak);
    ask(texts::completedPrompt, MessageIcon::Information, texts::transferTitle);
    m_link.close();
    m_phase = Phase::Closed;
    setButtons({true, false, false});
}

void DownloadProtocol::onDrainDeadline()
{
    if (m_phase != Phase::Sending)
        return;
    const qint64 unsent = m_link.bytesToWrite();
    toClosedState();
    m_log.append(texts::transferStalledLog);
    m_messageBox.show(texts::transferStalled(m_link.deviceName(), unsent), MessageIcon::Exclamation,
                      texts::transferTitle);
}

// The user closed the port (or the window, or opens it anew) while bytes were
// still queued: they are thrown away at once rather than waited for.
void DownloadProtocol::cancelTransfer()
{
    m_drainDeadline.stop();
    m_link.discardAndClose();
    m_phase = Phase::Closed;
    m_log.append(texts::transferCancelledLog);
}

void DownloadProtocol::onLinkFailed(const QString &reason)
{
    // One report per failure: a link that is closed already has been dealt with.
    if (!m_link.isOpen() && m_phase != Phase::Sending)
        return;
    const bool wasTransferring = m_phase == Phase::Sending;
    toClosedState();
    if (wasTransferring) {
        m_log.append(texts::transferFailedLog);
        m_messageBox.show(texts::transferFailed(m_link.deviceName(), reason), MessageIcon::Exclamation,
                          texts::transferTitle);
    } else {
        m_log.append(texts::portFailedLog);
        m_messageBox.show(texts::portFailed(m_link.deviceName(), reason), MessageIcon::Exclamation,
                          texts::portTitle);
    }
}

// After a failure: whatever is still queued cannot be delivered, so it is not waited for.
void DownloadProtocol::toClosedState()
{
    m_poll.stop();
    m_drainDeadline.stop();
    m_phase = Phase::Closed;
    m_link.discardAndClose();
    setButtons({true, false, false});
}

void DownloadProtocol::shutDown()
{
    m_poll.stop();
    if (m_phase == Phase::Sending)
        cancelTransfer();
    else
        m_link.close();
    m_phase = Phase::Closed;
}

void DownloadProtocol::setButtons(DownloadButtons buttons)
{
    if (buttons == m_buttons)
        return;
    m_buttons = buttons;
    emit buttonsChanged();
}

} // namespace ledglyph
