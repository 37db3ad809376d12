#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

namespace ledglyph::board {

// One transfer as the board takes it in: the speed code of the header and the
// glyph data between header and trailer.
struct Transfer {
    int speedCode = 0;
    QByteArray data;
};

// Reads the download stream byte by byte, as the board's program would:
//   poll bytes "s" (any number) | 0x79 0x01 speed(1..6) | data | 0x73 0x73 0x73
// The data may itself hold 0x73 bytes and carries no length, so the stream
// alone cannot tell where it ends. The rule used here: the transfer ends when
// the line has gone quiet (or closed) and the bytes after the header end with
// three "s"; those three are the trailer, everything before them is the data.
// A whole header (0x79 0x01 speed) right after three "s" ends the transfer there
// and starts the next one: a sender that sends twice in a row is seen doing so.
class TransferReceiver {
public:
    enum class Status { Waiting, Receiving, Failed };

    // Takes bytes from the line. Returns how many poll bytes arrived while
    // waiting for a header.
    int feed(const QByteArray &bytes);

    // The transfers that ended inside the stream, a header following their
    // trailer, oldest first; each is handed out once.
    QList<Transfer> takeFinished();

    // The line went quiet or closed. Returns the transfer when one was in
    // progress and ends with the trailer; fails when it does not.
    std::optional<Transfer> lineQuiet();

    Status status() const { return m_status; }
    QString error() const { return m_error; }
    void reset();

private:
    void fail(QString message);
    bool headerFollowsTrailer() const;

    Status m_status = Status::Waiting;
    QByteArray m_header;
    QByteArray m_body;
    QList<Transfer> m_finished;
    QString m_error;
};

} // namespace ledglyph::board
