#pragma once

#include <QString>

namespace ledglyph {

// What every executable prints for --version: its name and the project version,
// for example "ledglyph-cli 2.1".
QString versionLine(const QString &programName);

} // namespace ledglyph
