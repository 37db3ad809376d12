#include "platform/program_version.h"

namespace ledglyph {

QString versionLine(const QString &programName)
{
    return programName + QStringLiteral(" " LEDGLYPH_VERSION "\n");
}

} // namespace ledglyph
