#pragma once

#include "platform/file_set_writer.h"

#include <QList>
#include <QString>

namespace ledglyph::fontgen {

// Writes the library files as one set: all of them or none (see
// FileSetWriter). Returns an error message, empty on success.
QString writeLibraryFiles(const QList<FileContent> &files);

} // namespace ledglyph::fontgen
