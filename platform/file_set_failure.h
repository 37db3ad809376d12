#pragma once

#include <QString>
#include <QStringList>

namespace ledglyph {

// Why a set of files could not be written (see file_set_writer.h).
struct FileSetFailure {
    QString path;        // the file that could not be written or replaced
    QString reason;      // the system's reason, or why the file was not touched
    QStringList changed; // files left changed (only when putting back an old file failed too)
};

// The message for the user, the same from every program that writes a set:
// which file, `advice` (what to check, for the program's user; may be empty),
// whether any file changed, and the system's reason on a line of its own.
QString fileSetFailureMessage(const FileSetFailure &failure, const QString &advice = {});

} // namespace ledglyph
