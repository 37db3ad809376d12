#pragma once

#include <QString>

namespace ledglyph {

// The project version, as CMake's project() gives it: "2.1".
QString programVersion();

// What every executable prints for --version: its name and the project version,
// for example "ledglyph-cli 2.1".
QString versionLine(const QString &programName);

} // namespace ledglyph
