#include "platform/console_output.h"

#include <QByteArray>

#include <cstdio>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace ledglyph::console {

namespace {

void writeUtf8(std::FILE *stream, const QString &text)
{
#ifdef Q_OS_WIN
    static const bool switched = [] {
        SetConsoleOutputCP(CP_UTF8);
        return true;
    }();
    Q_UNUSED(switched);
#endif
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stream);
    std::fflush(stream);
}

} // namespace

void writeOut(const QString &text)
{
    writeUtf8(stdout, text);
}

void writeErr(const QString &text)
{
    writeUtf8(stderr, text);
}

} // namespace ledglyph::console
