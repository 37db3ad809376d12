#include "download/download_protocol.h"

#include "download/download_texts.h"
#include "download/glyph_file.h"
#include "protocol/wire_format.h"

#include <QSignalBlocker>

#include <chrono>

namespace ledglyph {

namespace texts = download_texts;
using Phase = DownloadProtocol::Phase;
using Kind = DownloadReport::Kind;

namespace {
const QByteArray pollBytes(1, LEDGLYPH_POLL_BYTE);
const QByteArray trailer(LEDGLYPH_TRAILER_LENGTH, LEDGLYPH_TRAILER_BYTE);

QByteArray header(int speedCode)
{
    QByteArray bytes;
    bytes.append(char(LEDGLYPH_HEADER_START)).append(char(LEDGLYPH_HEADER_FIXED)).append(char(speedCode));
    return bytes;
}
} // namespace

DownloadButtons DownloadProtocol::enabledButtons(Phase phase, bool reopenOffered)
{
    switch (phase) {
    case Phase::NoFile:
        return {false, false, false};
    case Phase::Closed:
        return {true, false, false};
    case Phase::Polling:
        return {reopenOffered, true, false};
    case Phase::Sending:
        return {reopenOffered, true, false, false};
    case Phase::Asking:
        return {false, true, false};
    case Phase::Connected:
        return {reopenOffered, true, true};
    }
    return {};
}

DownloadProtocol::DownloadProtocol(SerialLink &link, DownloadLog &log, QObject *parent)
    : QObject(parent), m_link(link), m_log(log), m_poll(this), m_drainDeadline(this), m_transferTick(this),
      m_quietAfterTransfer(this)
{
    m_poll.setObjectName(QStringLiteral("Timer1"));
    m_poll.setInterval(LEDGLYPH_POLL_INTERVAL_MS);
    connect(&m_poll, &QTimer::timeout, this, &DownloadProtocol::pollTick);
    m_drainDeadline.setObjectName(QStringLiteral("drainDeadline"));
    m_drainDeadline.setSingleShot(true);
    connect(&m_drainDeadline, &QTimer::timeout, this, &DownloadProtocol::onDrainDeadline);
    // The driver tells nobody when its queue runs empty: it is looked at a few times a second.
    m_transferTick.setObjectName(QStringLiteral("transferTick"));
    m_transferTick.setInterval(200);
    connect(&m_transferTick, &QTimer::timeout, this, &DownloadProtocol::checkTransfer);
    m_quietAfterTransfer.setObjectName(QStringLiteral("quietAfterTransfer"));
    m_quietAfterTransfer.setSingleShot(true);
    m_quietAfterTransfer.setInterval(quietAfterTransferMs);
    connect(&m_quietAfterTransfer, &QTimer::timeout, this, &DownloadProtocol::completeTransfer);
    connect(&m_link, &SerialLink::notified, this, &DownloadProtocol::onLinkEvent);
    connect(&m_link, &SerialLink::allWritten, this, &DownloadProtocol::checkTransfer);
    connect(&m_link, &SerialLink::failed, this, &DownloadProtocol::onLinkFailed);
}

DownloadProtocol::~DownloadProtocol()
{
    // Nobody listens to a protocol that is going away.
    const QSignalBlocker quiet(this);
    closePort();
}

// Every change of phase goes through here; so do the poll and the drain
// deadline, which never outlive the phases they belong to.
void DownloadProtocol::enter(Phase phase)
{
    const DownloadButtons before = buttons();
    // The poll runs only while the board is waited for: never while the user
    // is asked or a transfer's bytes leave, where a poll byte would follow the trailer.
    if (phase != Phase::Polling && phase != Phase::Connected)
        m_poll.stop();
    if (phase == Phase::NoFile || phase == Phase::Closed)
        m_reopenOffered = false;
    if (phase != Phase::Sending) {
        m_drainDeadline.stop();
        m_transferTick.stop();
        m_quietAfterTransfer.stop();
    }
    m_phase = phase;
    if (buttons() != before)
        emit buttonsChanged();
}

void DownloadProtocol::chooseFile(const QString &path)
{
    m_binPath = path;
    if (m_phase == Phase::NoFile) {
        enter(Phase::Closed);
    } else if (m_phase != Phase::Closed && !m_reopenOffered) {
        m_reopenOffered = true;
        emit buttonsChanged();
    }
}

void DownloadProtocol::openPort()
{
    m_pollingPhase = m_phase == Phase::Connected ? Phase::Connected : Phase::Polling;
    closePort();
    if (const Status opened = m_link.open(LineSettings::download()); !opened.ok()) {
        emit reported({Kind::PortOpenFailed, texts::portOpenFailed(m_link.deviceName(), opened.error().message)});
        return;
    }
    enter(Phase::Asking);
    emit portOpened();
}

void DownloadProtocol::startPolling()
{
    // The port may have failed while the user read the prompt: it is closed and reported already.
    if (m_phase != Phase::Asking)
        return;
    m_log.append(texts::portOpenedLog);
    enter(m_pollingPhase);
    m_poll.start();
    emit pollingStarted();
}

void DownloadProtocol::sendLater()
{
    if (m_phase == Phase::Asking)
        enter(Phase::Connected);
}

void DownloadProtocol::pollTick()
{
    // A poll within the board's decision time after a transfer would join that transfer's bytes.
    const bool lineSettling = m_sinceTransferEnded.isValid() && m_sinceTransferEnded.elapsed() < quietAfterTransferMs;
    if (m_link.isOpen() && !lineSettling)
        m_link.write(pollBytes);
}

void DownloadProtocol::onLinkEvent()
{
    const QByteArray batch = m_link.readAll();
    // Only a board that is waited for can signal: not while the user is being
    // asked, nor while a transfer's bytes leave.
    const bool listening = m_phase == Phase::Polling || m_phase == Phase::Connected;
    if (!listening || batch.isEmpty() || batch.back() != LEDGLYPH_SIGNAL_BYTE)
        return;
    m_log.append(texts::boardSignalLog);
    enter(Phase::Asking);
    emit boardSignalled();
}

void DownloadProtocol::download()
{
    if (m_phase == Phase::Sending)
        return; // one transfer at a time
    const int speedCode = m_speedIndex + 1;
    if (speedCode < LEDGLYPH_SPEED_MIN) {
        refuse({Kind::NoSpeedChosen, texts::noSpeedPrompt});
        return;
    }
    m_log.append(texts::downloadingLog, DownloadLog::Form::AfterEmptyLine);

    // The file as it is on disk now, read whole before the first byte goes out.
    const Result<QByteArray> file = readGlyphFile(m_binPath);
    const QString notStarted = !file.ok()                ? file.error().message
                               : file.value().isEmpty() ? texts::emptyGlyphFile(m_binPath)
                               : !m_link.isOpen()       ? texts::portClosedBeforeTransfer
                                                        : QString();
    if (!notStarted.isEmpty()) {
        m_log.append(file.ok() && file.value().isEmpty() ? texts::emptyFileNotSentLog : texts::transferNotStartedLog);
        refuse({Kind::TransferNotStarted, texts::transferNotStarted(notStarted)});
        return;
    }

    enter(Phase::Sending);
    m_transferBytes = LEDGLYPH_HEADER_LENGTH + file.value().size() + LEDGLYPH_TRAILER_LENGTH;
    const bool queued = m_link.write(header(speedCode)) && m_link.write(file.value()) && m_link.write(trailer);
    if (!queued) {
        onLinkFailed(m_link.isOpen() ? QStringLiteral("写入失败") : QStringLiteral("串口已关闭"));
        return;
    }
    // Completion waits until every byte is on the line; a failure before that
    // ends the transfer, and so does a line that takes them far slower than it should.
    m_drainDeadline.start(std::chrono::milliseconds(
        drainDeadlineMs(m_link.unsentBytes(), LineSettings::download().baudRate)));
    m_transferTick.start();
    checkTransfer();
}

// Reports how far the transfer is; once every byte is on the line, the line
// is kept quiet for the board's decision before the transfer is complete.
void DownloadProtocol::checkTransfer()
{
    if (m_phase != Phase::Sending || m_quietAfterTransfer.isActive())
        return;
    const qint64 unsent = qBound<qint64>(0, m_link.unsentBytes(), m_transferBytes);
    emit transferProgressed(m_transferBytes - unsent, m_transferBytes);
    if (unsent > 0)
        return;
    m_transferTick.stop();
    m_drainDeadline.stop();
    m_sinceTransferEnded.start();
    m_quietAfterTransfer.start();
}

// A transfer that did not start leaves "发送数据" to try again while the port is open.
void DownloadProtocol::refuse(DownloadReport report)
{
    if (m_link.isOpen())
        enter(Phase::Connected);
    emit reported(report);
}

void DownloadProtocol::completeTransfer()
{
    m_log.append(texts::completedLog, DownloadLog::Form::EndedByBreak);
    closeLink(Unsent::Deliver);
    emit reported({Kind::TransferCompleted, texts::completedPrompt});
}

void DownloadProtocol::onDrainDeadline()
{
    const qint64 unsent = m_link.unsentBytes();
    closeLink(Unsent::Discard);
    m_log.append(texts::transferStalledLog);
    emit reported({Kind::TransferStalled, texts::transferStalled(m_link.deviceName(), unsent)});
}

void DownloadProtocol::onLinkFailed(const QString &reason)
{
    // One report per failure: a port that is closed already has been dealt with.
    if (m_phase == Phase::NoFile || m_phase == Phase::Closed)
        return;
    const bool wasSending = m_phase == Phase::Sending;
    // Whatever is still queued cannot be delivered, so it is not waited for.
    closeLink(Unsent::Discard);
    if (wasSending) {
        m_log.append(texts::transferFailedLog);
        emit reported({Kind::TransferFailed, texts::transferFailed(m_link.deviceName(), reason)});
    } else {
        m_log.append(texts::portFailedLog);
        emit reported({Kind::PortFailed, texts::portFailed(m_link.deviceName(), reason)});
    }
}

void DownloadProtocol::closePort()
{
    // Every byte is on the line already: closing now only shortens the quiet.
    if (m_quietAfterTransfer.isActive()) {
        completeTransfer();
        return;
    }
    // Bytes still queued when the user closes are thrown away at once rather than waited for.
    if (m_phase == Phase::Sending) {
        closeLink(Unsent::Discard);
        m_log.append(texts::transferCancelledLog);
    } else {
        closeLink(Unsent::Deliver);
    }
}

// The one way the port closes: the poll and the deadline stop with it.
void DownloadProtocol::closeLink(Unsent unsent)
{
    // Whatever of a cut-off transfer was on the line, the board now waits for quiet to judge it.
    if (m_phase == Phase::Sending && unsent == Unsent::Discard)
        m_sinceTransferEnded.start();
    if (unsent == Unsent::Discard)
        m_link.discardAndClose();
    else
        m_link.close();
    enter(m_binPath.isEmpty() ? Phase::NoFile : Phase::Closed);
}

} // namespace ledglyph
