#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

class QSaveFile;

namespace ledglyph {

struct FileContent {
    QString path;
    QByteArray bytes;
};

// Why a set of files could not be written.
struct FileSetFailure {
    QString path;        // the file that could not be written or replaced
    QString reason;      // the system's reason
    QStringList changed; // files left changed (only when putting back an old file failed too)
};

// Replaces several files as one: either every file gets its new bytes, or
// every file keeps what it had. Each file is first written whole beside its
// target and flushed, so a full disk or a write error shows before anything
// is replaced; then the targets are replaced one by one, each old file kept
// as a hard link (or a copy) until the last one is in place, and put back
// when a later replacement fails.
class FileSetWriter {
public:
    explicit FileSetWriter(QList<FileContent> files);
    ~FileSetWriter(); // discards staged files that were not moved into place

    FileSetWriter(const FileSetWriter &) = delete;
    FileSetWriter &operator=(const FileSetWriter &) = delete;

    // Writes every file beside its target. Nothing is replaced yet.
    std::optional<FileSetFailure> stage();
    // Moves the staged files into place, all or none.
    std::optional<FileSetFailure> replace();

private:
    QList<FileContent> m_files;
    std::vector<std::unique_ptr<QSaveFile>> m_staged;
};

// stage() then replace().
std::optional<FileSetFailure> writeFileSet(const QList<FileContent> &files);

} // namespace ledglyph
