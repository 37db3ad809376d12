#include "platform/console_output.h"

#include "platform/locale_encoding.h"
#include "platform/name_bytes.h"

#include <QByteArray>
#include <QStringEncoder>

#include <csignal>
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

// The bytes of a text for a file or a pipe: UTF-8, with file names that are
// not UTF-8 as their own bytes; under a POSIX locale of another encoding
// (GB18030) in that encoding.
QByteArray encoded(const QString &text)
{
#ifdef Q_OS_WIN
    return text.toUtf8();
#else
    static const std::optional<QByteArray> localeEncoding = nonUtf8LocaleEncoding();
    if (localeEncoding) {
        QStringEncoder encoder(localeEncoding->constData());
        if (encoder.isValid())
            return encoder.encode(text);
    }
    return bytesFromText(text);
#endif
}

// One standard stream. On Windows a console shows text in the user's code
// page (936 in China), not UTF-8; switching the console to UTF-8 would outlast
// the program and change the text of every later program in it. So text for a
// console goes to it as UTF-16 through WriteConsoleW, which shows every
// character whatever the code page. Text for a file or a pipe is the same
// bytes on every system (binary mode: no CR before each LF).
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
#else
        // A reader that went away is a failed write to report, not a signal
        // that ends the program before it can say so.
        std::signal(SIGPIPE, SIG_IGN);
#endif
    }

    // False when the text could not be written whole.
    bool write(const QString &text)
    {
#ifdef Q_OS_WIN
        if (m_console != nullptr) {
            DWORD written = 0;
            return WriteConsoleW(m_console, text.utf16(), DWORD(text.size()), &written, nullptr)
                   && written == DWORD(text.size());
        }
        if (_fileno(m_file) < 0)
            return false; // neither a stream nor a console: nowhere to write
#endif
        const QByteArray bytes = encoded(text);
        const size_t written = std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), m_file);
        const bool flushed = std::fflush(m_file) == 0;
        return written == static_cast<size_t>(bytes.size()) && flushed && !std::ferror(m_file);
    }

private:
    std::FILE *m_file;
#ifdef Q_OS_WIN
    HANDLE m_console = nullptr;
#endif
};

} // namespace

bool writeOut(const QString &text)
{
    static Stream out(stdout);
    return out.write(text);
}

bool writeErr(const QString &text)
{
    static Stream err(stderr);
    return err.write(text);
}

} // namespace ledglyph::console
