#include "download/download_protocol.h"

#include "download/download_texts.h"
#include "download/glyph_file.h"

namespace ledglyph {

namespace texts = download_texts;

namespace {
constexpr char pollByte = 0x73;
constexpr int pollIntervalMs = 100;
const QByteArray trailer("\x73\x73\x73", 3);
} // namespace

DownloadProtocol::DownloadProtocol(SerialLink &link, MessageBox &messageBox, DownloadLog &log,
                                   QObject *parent)
    : QObject(parent), m_link(link), m_messageBox(messageBox), m_log(log), m_poll(this)
{
    m_poll.setObjectName(QStringLiteral("Timer1"));
    m_poll.setInterval(pollIntervalMs);
    connect(&m_poll, &QTimer::timeout, this, &DownloadProtocol::pollTick);
    connect(&m_link, &SerialLink::notified, this, &DownloadProtocol::onComm);
    connect(&m_link, &SerialLink::allWritten, this, [this] {
        if (m_transferring)
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
    if (m_link.isOpen()) {
        m_transferring = false;
        m_link.close();
    }
    if (const std::optional<QString> reason = m_link.open(LineSettings::download())) {
        m_poll.stop();
        setButtons({true, false, false});
        m_messageBox.show(texts::portOpenFailed(m_link.deviceName(), *reason), MsgStyle::Exclamation,
                          texts::portTitle);
        return;
    }
    m_messageBox.show(texts::openPortPrompt, MsgStyle::Exclamation, texts::portTitle);
    // The port may have failed while the box was open; then it is closed and reported already.
    if (!m_link.isOpen())
        return;
    m_log.append(texts::portOpenedLog);
    setButtons({false, true, m_buttons.send});
    m_poll.start();
}

void DownloadProtocol::closePort()
{
    m_poll.stop();
    m_transferring = false;
    m_link.close();
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
    // While a transfer's bytes are leaving, a second one must not start in between.
    if (m_transferring || batch.isEmpty() || batch.back() != pollByte)
        return;
    m_poll.stop();
    m_log.append(texts::boardSignalLog);
    if (m_messageBox.show(texts::confirmPrompt, MsgStyle::Question, texts::transferTitle) == MsgOk) {
        download();
    } else {
        DownloadButtons next = m_buttons;
        next.send = true;
        setButtons(next);
    }
}

void DownloadProtocol::download()
{
    const int speedCode = m_speedIndex + 1;
    if (speedCode <= 0) {
        m_messageBox.show(texts::noSpeedPrompt, MsgStyle::Information, texts::transferTitle);
        DownloadButtons next = m_buttons;
        next.send = true;
        setButtons(next);
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
        DownloadButtons retry = m_buttons;
        retry.send = m_link.isOpen();
        setButtons(retry);
        m_messageBox.show(texts::transferNotStarted(notStarted), MsgStyle::Exclamation,
                          texts::transferTitle);
        return;
    }

    const QByteArray header{"\x79\x01", 2};
    m_transferring = true;
    const bool queued = m_link.write(header + QByteArray(1, static_cast<char>(speedCode)))
                        && m_link.write(file.bytes) && m_link.write(trailer);
    if (!queued) {
        onLinkFailed(m_link.isOpen() ? QStringLiteral("写入失败") : QStringLiteral("串口已关闭"));
        return;
    }
    // Completion waits until the link has taken every byte; a failure before that ends the transfer.
    if (m_link.bytesToWrite() == 0)
        completeTransfer();
}

void DownloadProtocol::completeTransfer()
{
    m_transferring = false;
    DownloadButtons sent = m_buttons;
    sent.send = true;
    setButtons(sent);
    m_log.append(texts::completedLog, DownloadLog::Form::EndedByBreak);
    m_messageBox.show(texts::completedPrompt, MsgStyle::Information, texts::transferTitle);
    m_link.close();
    setButtons({true, false, false});
}

void DownloadProtocol::onLinkFailed(const QString &reason)
{
    // One report per failure: a link that is closed already has been dealt with.
    if (!m_link.isOpen() && !m_transferring)
        return;
    const bool wasTransferring = m_transferring;
    toClosedState();
    if (wasTransferring) {
        m_log.append(texts::transferFailedLog);
        m_messageBox.show(texts::transferFailed(m_link.deviceName(), reason), MsgStyle::Exclamation,
                          texts::transferTitle);
    } else {
        m_log.append(texts::portFailedLog);
        m_messageBox.show(texts::portFailed(m_link.deviceName(), reason), MsgStyle::Exclamation,
                          texts::portTitle);
    }
}

void DownloadProtocol::toClosedState()
{
    m_poll.stop();
    m_transferring = false;
    m_link.close();
    setButtons({true, false, false});
}

void DownloadProtocol::shutDown()
{
    m_poll.stop();
    m_transferring = false;
    m_link.close();
}

void DownloadProtocol::setButtons(DownloadButtons buttons)
{
    if (buttons == m_buttons)
        return;
    m_buttons = buttons;
    emit buttonsChanged();
}

} // namespace ledglyph
