#pragma once

#include "platform/file_set_writer.h"

#include <QList>
#include <QString>

#include <optional>

namespace ledglyph {

using OutputFile = FileContent;

// Replaces every output with its bytes, all or none (see FileSetWriter).
// Returns the refusal message when an output could not be written (naming
// it), otherwise nothing.
std::optional<QString> writeOutputFiles(const QList<OutputFile> &files);

} // namespace ledglyph
