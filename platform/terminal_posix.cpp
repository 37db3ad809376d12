#include "platform/terminal.h"

#include "platform/terminal_state.h"

#include <csignal>
#include <unistd.h>

namespace ledglyph::terminal {

using detail::ctrlC;

namespace {

extern "C" void onCtrlC(int)
{
    if (ctrlC.endsProgram)
        detail::endProgramAtOnce();
    ctrlC.raised = true;
}

void handleSigint(void (*handler)(int))
{
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGINT, &action, nullptr);
}

} // namespace

void detail::endProgramAtOnce()
{
    // write() and _exit() are safe in a signal handler.
    [[maybe_unused]] const ssize_t written = ::write(STDERR_FILENO, ctrlC.message, ctrlC.messageLength);
    ::_exit(ctrlC.exitCode);
}

bool isTerminal(Stream stream)
{
    return ::isatty(stream == Stream::Input ? STDIN_FILENO : STDERR_FILENO) == 1;
}

CtrlCFlag::CtrlCFlag()
{
    ctrlC.raised = false;
    ctrlC.endsProgram = false;
    handleSigint(onCtrlC);
}

CtrlCFlag::~CtrlCFlag()
{
    handleSigint(SIG_DFL);
}

} // namespace ledglyph::terminal
