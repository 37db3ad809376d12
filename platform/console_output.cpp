#include "platform/console_output.h"

#include "platform/locale_encoding.h"
#include "platform/name_bytes.h"

#include <QByteArray>
#include <QStringEncoder>

#include <csignal>
#include <cstdio>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace ledglyph::console {

namespace {

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

bool write(std::FILE *stream, const QString &text)
{
    static const bool prepared = [] {
#ifdef Q_OS_WIN
        SetConsoleOutputCP(CP_UTF8);
#else
        // A reader that went away is a failed write to report, not a signal
        // that ends the program before it can say so.
        std::signal(SIGPIPE, SIG_IGN);
#endif
        return true;
    }();
    Q_UNUSED(prepared);
    const QByteArray bytes = encoded(text);
    const size_t written = std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stream);
    const bool flushed = std::fflush(stream) == 0;
    return written == static_cast<size_t>(bytes.size()) && flushed && !std::ferror(stream);
}

} // namespace

bool writeOut(const QString &text)
{
    return write(stdout, text);
}

bool writeErr(const QString &text)
{
    return write(stderr, text);
}

} // namespace ledglyph::console
