#pragma once

#include "core/glyph_types.h"
#include "platform/command_line.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace ledglyph::cli {

// What `ledglyph-cli convert` was asked to do.
struct ConvertRequest {
    std::optional<QString> text; // TEXT as given, or nothing when a text file is named
    QString textFile;
    ConversionOptions options;   // defaults: C51, 16*16, invert on, mirror on
    QString fontDir;             // empty: the program's data folder
    QString outDir;              // empty: the program's output folder
    std::optional<qint64> sourceDateEpoch; // the header's date and time, in seconds (UTC)
};

using ConvertCommandLine = ParsedCommandLine<ConvertRequest>;

// ledglyph-cli convert [TEXT] [--text-file FILE] [--format c51|a51]
//   [--cell 16x16|8x16] [--no-invert] [--no-mirror] [--font-dir DIR] [--out-dir DIR]
// `sourceDateEpoch` is the value of SOURCE_DATE_EPOCH, nothing when unset; a
// value that is not a non-negative integer is a usage error.
ConvertCommandLine parseConvertCommandLine(const QStringList &arguments,
                                           const std::optional<QString> &sourceDateEpoch);

} // namespace ledglyph::cli
