#pragma once

#include "firmware/receiver.h"

#include <QElapsedTimer>
#include <QObject>
#include <QSerialPort>
#include <QTimer>

namespace ledglyph::board {

struct BoardOptions {
    QString device;
    int answerDelayMs = 0;
    QString outPath;
    bool once = false;
    int cellsToDraw = 2;
    QString framesPath;   // a film strip of each transfer the board accepts
    QList<int> frameTimesMs;
};

// --glyphs: the film strip of a glyph file, if the board accepts it. Returns
// the exit code: success when written, refused when the board refuses the
// file or a file cannot be read or written.
int showGlyphFile(const QString &path, int speedCode, const BoardOptions &options);

// The display board's side of the download on a serial device. The board's
// own receiver (firmware/receiver.c) decides everything: it gets each byte
// of the line and, as from the board's millisecond tick, the time between
// them; the simulator sends the answers it asks for and reports each transfer
// it accepts or refuses. With `once` the application ends at the first
// decision: ExitSuccess when the transfer was accepted, ExitRefused when it
// was refused (a second transfer right behind the first makes one transfer of
// the wrong length). It ends with ExitRefused when the device fails.
class BoardSimulator : public QObject {
    Q_OBJECT
public:
    explicit BoardSimulator(BoardOptions options, QObject *parent = nullptr);

    // Opens the device. False (after printing why) when it cannot be opened.
    bool start();

private:
    void onBytes();
    void take(const QByteArray &bytes);
    void passTime(qint64 ms);
    void passTimeSoFar();
    void act(uint8_t event);
    void answerPoll();
    void onError(QSerialPort::SerialPortError error);
    void reportAccepted();
    void reportRefused();
    void finish(int exitCode, const QString &message = {});

    BoardOptions m_options;
    QSerialPort m_port;
    QByteArray m_transferRam;
    receiver m_receiver{};
    QElapsedTimer m_clock;
    qint64 m_timePassedMs = 0; // of m_clock, handed to the receiver
    QTimer m_tick;             // runs while a transfer comes in: the receiver decides on a quiet line
    QTimer m_answerDelay;
    qint64 m_transferBytes = 0; // on the line since the transfer began, for the report
    bool m_started = false;
    bool m_finished = false;
};

} // namespace ledglyph::board
