#pragma once

#include <QString>

namespace ledglyph {

// The folder that holds the program and its data files, without a trailing separator.
QString appDir();

// `name` inside `dir`, joined with the platform's separator.
QString pathIn(const QString &dir, const QString &name);

} // namespace ledglyph
