#pragma once

#include "platform/command_line.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace ledglyph::cli {

// What `ledglyph-cli download` was asked to do.
struct DownloadRequest {
    QString file;                   // the glyph file, read again when the transfer starts
    QString device;                 // empty: COM1 as the download window chooses it
    int speedCode = 1;              // 1 to 6
    bool yes = false;               // send at the board's signal without asking
    std::optional<int> waitSeconds; // give up polling after this long; nothing: poll until interrupted
};

using DownloadCommandLine = ParsedCommandLine<DownloadRequest>;

// ledglyph-cli download FILE [--device DEV] [--speed 1..6] [--yes] [--wait SECONDS]
DownloadCommandLine parseDownloadCommandLine(const QStringList &arguments);

} // namespace ledglyph::cli
