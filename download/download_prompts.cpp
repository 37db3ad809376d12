#include "download/download_prompts.h"

#include "download/download_texts.h"

namespace ledglyph {

namespace texts = download_texts;
using Kind = DownloadReport::Kind;

DownloadPrompts::DownloadPrompts(DownloadProtocol &protocol, MessageBox &messageBox, QObject *parent)
    : QObject(parent), m_protocol(protocol), m_messageBox(messageBox)
{
    connect(&m_protocol, &DownloadProtocol::portOpened, this, &DownloadPrompts::onPortOpened);
    connect(&m_protocol, &DownloadProtocol::boardSignalled, this, &DownloadPrompts::onBoardSignalled);
    connect(&m_protocol, &DownloadProtocol::reported, this, &DownloadPrompts::onReported);
}

void DownloadPrompts::onPortOpened()
{
    m_messageBox.show(texts::openPortPrompt, MessageIcon::Exclamation, texts::portTitle);
    m_protocol.startPolling();
}

void DownloadPrompts::onBoardSignalled()
{
    if (m_messageBox.show(texts::confirmPrompt, MessageIcon::Question, texts::transferTitle)
        == MessageAnswer::Ok)
        m_protocol.download();
    else
        m_protocol.sendLater();
}

// Troubles of the port itself carry the plain title; everything about a
// transfer the exclaimed one. A refusal for want of a speed and the completion
// are notices, the rest warnings.
void DownloadPrompts::onReported(const DownloadReport &report)
{
    const bool aboutPort = report.kind == Kind::PortOpenFailed || report.kind == Kind::PortFailed;
    const bool notice = report.kind == Kind::NoSpeedChosen || report.kind == Kind::TransferCompleted;
    m_messageBox.show(report.text, notice ? MessageIcon::Information : MessageIcon::Exclamation,
                      aboutPort ? texts::portTitle : texts::transferTitle);
}

} // namespace ledglyph
