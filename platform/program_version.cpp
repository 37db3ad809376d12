#include "platform/program_version.h"

namespace ledglyph {

QString programVersion()
{
    return QStringLiteral(LEDGLYPH_VERSION);
}

QString versionLine(const QString &programName)
{
    return programName + u' ' + programVersion() + u'\n';
}

} // namespace ledglyph
