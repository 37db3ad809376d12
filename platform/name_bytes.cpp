#include "platform/name_bytes.h"

#include <QCoreApplication>

namespace ledglyph {

namespace {

// A byte that is not part of valid UTF-8 stands as U+DC00 + byte (bytes below
// 0x80 are always valid, so only U+DC80..U+DCFF occur).
constexpr char16_t escapeBase = 0xDC00;

bool isContinuation(QByteArrayView bytes, qsizetype i)
{
    return i < bytes.size() && (uchar(bytes[i]) & 0xC0) == 0x80;
}

// The length of the valid UTF-8 sequence at `i`, or 0. Overlong forms,
// surrogates and code points beyond U+10FFFF are not valid.
qsizetype sequenceLength(QByteArrayView bytes, qsizetype i)
{
    const uchar lead = uchar(bytes[i]);
    if (lead < 0x80)
        return 1;
    if (i + 1 >= bytes.size())
        return 0;
    const uchar second = uchar(bytes[i + 1]);
    qsizetype length = 0;
    uchar low = 0x80;
    uchar high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (second < low || second > high)
        return 0;
    for (qsizetype k = 2; k < length; ++k) {
        if (!isContinuation(bytes, i + k))
            return 0;
    }
    return length;
}

bool isEscape(QStringView text, qsizetype i)
{
    const char16_t c = text[i].unicode();
    const bool pairsWithPrevious = i > 0 && text[i - 1].isHighSurrogate();
    return c >= escapeBase + 0x80 && c <= escapeBase + 0xFF && !pairsWithPrevious;
}

} // namespace

QString textFromBytes(QByteArrayView bytes)
{
    QString text;
    text.reserve(bytes.size());
    qsizetype runStart = 0;
    qsizetype i = 0;
    while (i < bytes.size()) {
        const qsizetype length = sequenceLength(bytes, i);
        if (length > 0) {
            i += length;
            continue;
        }
        text += QString::fromUtf8(bytes.sliced(runStart, i - runStart));
        text += QChar(char16_t(escapeBase + uchar(bytes[i])));
        runStart = ++i;
    }
    text += QString::fromUtf8(bytes.sliced(runStart));
    return text;
}

QByteArray bytesFromText(QStringView text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    qsizetype runStart = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (!isEscape(text, i))
            continue;
        bytes += text.sliced(runStart, i - runStart).toUtf8();
        bytes += char(text[i].unicode() - escapeBase);
        runStart = i + 1;
    }
    bytes += text.sliced(runStart).toUtf8();
    return bytes;
}

QStringList commandLineArguments([[maybe_unused]] int argc, [[maybe_unused]] char **argv)
{
#ifdef Q_OS_WIN
    return QCoreApplication::arguments();
#else
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << textFromBytes(argv[i]);
    return arguments;
#endif
}

} // namespace ledglyph
