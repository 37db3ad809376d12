#include "platform/console_output.h"

#include <QByteArray>

#include <cstdio>

#ifdef Q_OS_WIN
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#endif

namespace ledglyph::console {

namespace {

#ifdef Q_OS_WIN
// The console of the program that started this one, or nullptr. A window
// program (ledglyph) gets no standard handles, even when it is started from
// a console; it borrows that console to answer --help and --version.
HANDLE parentConsole()
{
    static const HANDLE console = [] {
        if (!AttachConsole(ATTACH_PARENT_PROCESS))
            return HANDLE(nullptr);
        const HANDLE opened = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                          nullptr, OPEN_EXISTING, 0, nullptr);
        return opened == INVALID_HANDLE_VALUE ? HANDLE(nullptr) : opened;
    }();
    return console;
}
#endif

// One standard stream. On Windows a console shows text in the user's code
// page (936 in China), not UTF-8; switching the console to UTF-8 would outlast
// the program and change the text of every later program in it. So text for a
// console goes to it as UTF-16 through WriteConsoleW, which shows every
// character whatever the code page. Text for a file or a pipe is UTF-8 on
// every system, byte for byte the same (binary mode: no CR before each LF).
class Stream {
public:
    explicit Stream(std::FILE *file) : m_file(file)
    {
#ifdef Q_OS_WIN
        const int descriptor = _fileno(file);
        if (descriptor < 0) { // no standard handle: a window program
            m_console = parentConsole();
            return;
        }
        std::fflush(file);
        _setmode(descriptor, _O_BINARY);
        const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(descriptor));
        DWORD mode = 0;
        if (handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode))
            m_console = handle;
#endif
    }

    void write(const QString &text)
    {
#ifdef Q_OS_WIN
        if (m_console != nullptr) {
            DWORD written = 0;
            WriteConsoleW(m_console, text.utf16(), DWORD(text.size()), &written, nullptr);
            return;
        }
        if (_fileno(m_file) < 0)
            return; // neither a stream nor a console: nowhere to write
#endif
        const QByteArray bytes = text.toUtf8();
        std::fwrite(bytes.constData(), 1, size_t(bytes.size()), m_file);
        std::fflush(m_file);
    }

private:
    std::FILE *m_file;
#ifdef Q_OS_WIN
    HANDLE m_console = nullptr;
#endif
};

} // namespace

void writeOut(const QString &text)
{
    static Stream out(stdout);
    out.write(text);
}

void writeErr(const QString &text)
{
    static Stream err(stderr);
    err.write(text);
}

} // namespace ledglyph::console
