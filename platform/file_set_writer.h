#pragma once

#include "platform/file_set_failure.h"
#include "platform/result.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <chrono>
#include <memory>

namespace ledglyph {

struct FileContent {
    QString path;
    QByteArray bytes;
};

// Replaces several files as one: either every file gets its new bytes, or
// every file keeps what it had.
// - One writer at a time: each folder of the set is locked for the whole
//   write; a second writer (another ledglyph program, the window or the
//   command line) waits up to `lockWait` and is then refused.
// - What a write cut off by a kill or a power cut left behind is settled
//   first (see interrupted_writes.h).
// - Only a missing target, a regular file or a symbolic link that leads to
//   a regular file (or nowhere) is replaced; a link is replaced itself, so
//   nothing outside the folder is touched. A folder, device or pipe, also
//   behind a link, is refused.
// - Each file is first written whole beside its target and synced, every
//   write and sync checked. Then each old file is kept under a second name,
//   the targets are replaced one right after another and the folder is
//   synced; a failure puts the old files back. Only the write's own files
//   (named by file_set_names.h) are ever removed.
// - Ctrl-C and termination requests wait for the writer: one that comes
//   before the replacing starts undoes the write, a later one takes effect
//   once the set is whole.
class FileSetWriter {
public:
    static constexpr std::chrono::milliseconds defaultLockWait{10000};

    explicit FileSetWriter(QList<FileContent> files, std::chrono::milliseconds lockWait = defaultLockWait);
    ~FileSetWriter(); // removes staged files that were not moved into place; unlocks

    FileSetWriter(const FileSetWriter &) = delete;
    FileSetWriter &operator=(const FileSetWriter &) = delete;

    // Locks, settles, checks the targets and writes every file beside its
    // target. Nothing is replaced yet.
    Result<void, FileSetFailure> stage();
    // Moves the staged files into place, all or none.
    Result<void, FileSetFailure> replace();
    // After a replace that succeeded: files of the write that could not be
    // removed afterwards (the kept old files), to be named to the user.
    QStringList leftBehind() const;

private:
    struct State;
    QList<FileContent> m_files;
    std::chrono::milliseconds m_lockWait;
    std::unique_ptr<State> m_state;
};

// stage() then replace(). Once every file has its new bytes: the files of
// the write that could not be removed afterwards, as leftBehind() names them.
Result<QStringList, FileSetFailure> writeFileSet(const QList<FileContent> &files);

} // namespace ledglyph
