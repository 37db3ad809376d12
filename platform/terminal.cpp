#include "platform/terminal.h"

#include "platform/terminal_state.h"

namespace ledglyph::terminal {

using detail::ctrlC;

bool CtrlCFlag::raised() const
{
    return ctrlC.raised;
}

CtrlCEndsProgram::CtrlCEndsProgram(QByteArray message, int exitCode) : m_message(std::move(message))
{
    ctrlC.message = m_message.constData();
    ctrlC.messageLength = static_cast<std::size_t>(m_message.size());
    ctrlC.exitCode = exitCode;
    ctrlC.endsProgram = true;
    // A Ctrl-C that came just before is the same wish.
    if (ctrlC.raised)
        detail::endProgramAtOnce();
}

CtrlCEndsProgram::~CtrlCEndsProgram()
{
    ctrlC.endsProgram = false;
}

} // namespace ledglyph::terminal
