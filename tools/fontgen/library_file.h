#pragma once

#include "platform/file_set_writer.h"
#include "platform/result.h"

#include <QList>
#include <QString>

namespace ledglyph::fontgen {

// Writes the library files as one set: all of them or none (see
// FileSetWriter); the failure is the message every program gives for a
// set of files (fileSetFailureMessage). Gives the
// files of the write that could not be removed afterwards.
Result<QStringList> writeLibraryFiles(const QList<FileContent> &files);

} // namespace ledglyph::fontgen
