#pragma once

#include "download/download_protocol.h"
#include "platform/gui/message_box.h"

#include <QObject>

namespace ledglyph {

// The download's side that talks to the user in message boxes: it shows what
// the protocol reports, the prompt that tells how to connect the board, and
// the confirmation at the board's signal, and hands the answers back.
class DownloadPrompts : public QObject {
    Q_OBJECT
public:
    DownloadPrompts(DownloadProtocol &protocol, MessageBox &messageBox, QObject *parent = nullptr);

private:
    void onPortOpened();
    void onBoardSignalled();
    void onReported(const DownloadReport &report);

    DownloadProtocol &m_protocol;
    MessageBox &m_messageBox;
};

} // namespace ledglyph
