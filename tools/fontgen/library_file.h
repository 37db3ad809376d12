#pragma once

#include <QByteArray>
#include <QString>

namespace ledglyph::fontgen {

// Writes a library file whole or not at all (through a temporary file that
// replaces the old one only once everything is on disk). Returns an error
// message, empty on success.
QString writeLibraryFile(const QString &path, const QByteArray &bytes);

} // namespace ledglyph::fontgen
