#pragma once

#include "tools/board/transfer_receiver.h"

#include <QElapsedTimer>
#include <QObject>
#include <QSerialPort>
#include <QTimer>

#include <optional>

namespace ledglyph::board {

struct BoardOptions {
    QString device;
    int answerDelayMs = 0;
    int idleMs = 500;
    QString outPath;
    bool once = false;
    int cellsToDraw = 2;
    QString framesPath;   // a film strip of each transfer the board accepts
    QList<int> frameTimesMs;
};

// --glyphs: the film strip of a glyph file, if the board accepts it. Returns
// the exit code: 0 written, 1 refused by the board, 2 a file that cannot be
// read or written.
int showGlyphFile(const QString &path, int speedCode, const BoardOptions &options);

// The display board's side of the download on a serial device: answers the
// poll with "s", takes in a transfer, checks header and trailer, saves the
// glyph data and prints what it got. Ends the application with 0 after a
// transfer (with `once`), 1 on a wrong transfer or, with `once`, a second
// transfer right behind the first, 2 when the device fails.
class BoardSimulator : public QObject {
    Q_OBJECT
public:
    explicit BoardSimulator(BoardOptions options, QObject *parent = nullptr);

    // Opens the device. False (after printing why) when it cannot be opened.
    bool start();

private:
    void onBytes();
    int feed(const QByteArray &bytes);
    void onError(QSerialPort::SerialPortError error);
    void answerPoll();
    void onLineQuiet();
    void take(const Transfer &transfer);
    void report(const Transfer &transfer);
    void finish(int exitCode, const QString &message = {});

    BoardOptions m_options;
    QSerialPort m_port;
    TransferReceiver m_receiver;
    QTimer m_quiet;
    QTimer m_answerDelay;
    QElapsedTimer m_sinceAnswer;
    int m_transfers = 0;
    bool m_started = false;
    bool m_finished = false;
};

} // namespace ledglyph::board
