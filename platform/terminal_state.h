#pragma once

// What the Ctrl-C handlers of both systems share: plain atomics and a plain
// buffer, the only things a signal handler may touch.

#include <atomic>
#include <cstddef>

namespace ledglyph::terminal::detail {

struct CtrlCState {
    std::atomic<bool> raised{false};
    std::atomic<bool> endsProgram{false};
    const char *message = nullptr;
    std::size_t messageLength = 0;
    int exitCode = 1;
};

inline CtrlCState ctrlC;

// Writes the message to standard error and ends the program with the exit
// code, calling nothing a signal handler may not call.
[[noreturn]] void endProgramAtOnce();

} // namespace ledglyph::terminal::detail
