#pragma once

#include <QByteArray>

namespace ledglyph::terminal {

enum class Stream { Input, Error };

// True when the stream is a terminal (a console window on Windows), where a
// person can answer a question or watch a progress line.
bool isTerminal(Stream stream);

// Ctrl-C (on Windows also Ctrl-Break) for a program that runs an event loop:
// while a CtrlCFlag lives, Ctrl-C only raises its flag, which the loop looks
// at now and then. One at a time.
class CtrlCFlag {
public:
    CtrlCFlag();
    ~CtrlCFlag(); // Ctrl-C ends the program again, as by default
    CtrlCFlag(const CtrlCFlag &) = delete;
    CtrlCFlag &operator=(const CtrlCFlag &) = delete;

    bool raised() const;
};

// While it lives, Ctrl-C writes `message` (UTF-8) to standard error and ends
// the program at once with `exitCode`: for a blocking read of the terminal,
// which the event loop cannot interrupt. Lives inside a CtrlCFlag's life and
// hands Ctrl-C back to it when it goes.
class CtrlCEndsProgram {
public:
    CtrlCEndsProgram(QByteArray message, int exitCode);
    ~CtrlCEndsProgram();
    CtrlCEndsProgram(const CtrlCEndsProgram &) = delete;
    CtrlCEndsProgram &operator=(const CtrlCEndsProgram &) = delete;

private:
    QByteArray m_message; // kept alive for the handler
};

} // namespace ledglyph::terminal
