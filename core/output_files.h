#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

namespace ledglyph {

struct OutputFile {
    QString path;
    QByteArray bytes;
};

// Replaces every file with its bytes, all or nothing as far as the file system
// allows: each file is first written whole beside its target, and only when
// all were written are they moved into place. Returns the refusal message when
// a file could not be written (naming it), otherwise nothing.
std::optional<QString> writeOutputFiles(const QList<OutputFile> &files);

} // namespace ledglyph
