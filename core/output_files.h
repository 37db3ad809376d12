#pragma once

#include "platform/file_set_writer.h"
#include "platform/result.h"

#include <QList>
#include <QString>


namespace ledglyph {

using OutputFile = FileContent;

// Replaces every output with its bytes, all or none (see FileSetWriter).
// Fails with the refusal message (naming the output) when an output could not
// be written. Once written, gives a note for the user when files of the
// write could not be removed afterwards (empty: none).
Result<QString> writeOutputFiles(const QList<OutputFile> &files);

} // namespace ledglyph
