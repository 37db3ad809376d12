#include "platform/terminal.h"

#include "platform/terminal_state.h"

#include <cstdio>
#include <io.h>
#include <windows.h>

namespace ledglyph::terminal {

using detail::ctrlC;

namespace {

// Runs on a thread of its own that the console starts for the event.
BOOL WINAPI onCtrlC(DWORD event)
{
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT)
        return FALSE; // closing the console or logging off ends the program as usual
    if (ctrlC.endsProgram)
        detail::endProgramAtOnce();
    ctrlC.raised = true;
    return TRUE;
}

} // namespace

void detail::endProgramAtOnce()
{
    DWORD written = 0;
    ::WriteFile(::GetStdHandle(STD_ERROR_HANDLE), ctrlC.message, static_cast<DWORD>(ctrlC.messageLength), &written,
                nullptr);
    ::ExitProcess(static_cast<UINT>(ctrlC.exitCode));
}

bool isTerminal(Stream stream)
{
    return ::_isatty(::_fileno(stream == Stream::Input ? stdin : stderr)) != 0;
}

CtrlCFlag::CtrlCFlag()
{
    ctrlC.raised = false;
    ctrlC.endsProgram = false;
    ::SetConsoleCtrlHandler(onCtrlC, TRUE);
}

CtrlCFlag::~CtrlCFlag()
{
    ::SetConsoleCtrlHandler(onCtrlC, FALSE);
}

} // namespace ledglyph::terminal
