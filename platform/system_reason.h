#pragma once

#include <QString>

namespace ledglyph {

// A Chinese message followed by the system's own reason for a failure. The
// reason may come in another language (or say little), so it stands after the
// message on a line of its own instead of inside a Chinese sentence.
inline QString withSystemReason(const QString &message, const QString &reason)
{
    return message + QLatin1Char('\n') + QStringLiteral("系统信息：") + reason;
}

} // namespace ledglyph
