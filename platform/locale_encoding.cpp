#include "platform/locale_encoding.h"

#include <QByteArrayList>
#include <QtGlobal>

#ifndef Q_OS_WIN
#include <langinfo.h>
#endif

namespace ledglyph {

#ifndef Q_OS_WIN
namespace {

// "UTF-8", "utf8", "ANSI_X3.4-1968", "US-ASCII": compared without case and punctuation.
bool isUtf8OrAscii(const QByteArray &encoding)
{
    QByteArray plain;
    for (const char c : encoding) {
        if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))
            plain += c;
        else if (c >= 'A' && c <= 'Z')
            plain += char(c - 'A' + 'a');
    }
    return plain.isEmpty() || plain == "utf8" || plain == "ansix341968" || plain == "ascii" || plain == "usascii";
}

} // namespace
#endif

std::optional<QByteArray> nonUtf8LocaleEncoding()
{
#ifdef Q_OS_WIN
    return std::nullopt;
#else
    QByteArray locale;
    for (const char *variable : {"LC_ALL", "LC_CTYPE", "LANG"}) {
        locale = qgetenv(variable);
        if (!locale.isEmpty())
            break;
    }
    // "zh_CN.GB18030@modifier" names its encoding; a bare "zh_CN" has the
    // locale's default one, which the C library knows once the locale is set.
    QByteArray encoding;
    if (const qsizetype dot = locale.indexOf('.'); dot >= 0)
        encoding = locale.mid(dot + 1).split('@').constFirst();
    else
        encoding = nl_langinfo(CODESET);
    if (isUtf8OrAscii(encoding))
        return std::nullopt;
    return encoding;
#endif
}

} // namespace ledglyph
