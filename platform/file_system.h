#pragma once

// The file operations where POSIX and Windows differ, for the all-or-none
// writer and for reading files the user names: file_system_posix.cpp or
// file_system_windows.cpp is built. Paths are QStrings; on POSIX they reach
// the system as the bytes they came from (name_bytes.h), so a name that is
// not UTF-8 still finds its file.

#include "platform/result.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

class QFile;

namespace ledglyph::file_system {

// What a name leads to. A symbolic link is not followed unless said so.
enum class Kind { Missing, File, Folder, Link, Other };

// Why a call failed, as the system words it; nothing when it succeeded.
using Outcome = std::optional<QString>;

// An open folder in which files are created, kept, renamed and removed by
// name. Operations go to the folder that was opened even if its path is
// renamed meanwhile.
class Folder {
public:
    // Fails with the system's reason.
    static Result<Folder, QString> open(const QString &path);
    Folder(Folder &&other) noexcept;
    Folder &operator=(Folder &&other) noexcept;
    ~Folder(); // releases the lock

    QString filePath(const QString &name) const; // for messages
    // Equal for two paths of one folder.
    QByteArray identity() const;

    // An exclusive lock on writing into the folder, shared by every ledglyph
    // program; held until the folder is closed. Busy: another one holds it.
    // Unsupported: the file system has no locks (some network shares).
    enum class Lock { Taken, Busy, Unsupported };
    Result<Lock, QString> tryLock();

    QStringList names() const;
    Kind kind(const QString &name) const;
    Kind linkedKind(const QString &name) const; // what a link leads to; Missing when nothing

    // Creates `name`, which must not exist, with `bytes` written whole and on
    // the disk (every write and the sync checked); it takes the permissions
    // of the file `permissionsOf` when that is given and a regular file.
    Outcome writeNew(const QString &name, const QByteArray &bytes, const QString &permissionsOf = {}) const;
    // `copyName` becomes a second name of `name` (a hard link), or a copy
    // where the file system has no hard links; a link is kept as a link.
    Outcome keep(const QString &name, const QString &copyName) const;
    // Renames `from` to `to`, replacing `to` in one step.
    Outcome rename(const QString &from, const QString &to) const;
    Outcome remove(const QString &name) const;
    // Puts the folder's entries (creations, renames) on the disk.
    Outcome sync() const;

private:
    struct Handle;
    explicit Folder(std::unique_ptr<Handle> handle);
    std::unique_ptr<Handle> m_handle;
};

// While one exists, Ctrl-C and requests to end the program wait; they take
// effect when it ends. Not nested.
class InterruptionGuard {
public:
    InterruptionGuard();
    ~InterruptionGuard();
    // Whether such a request is waiting.
    bool requested() const;
    InterruptionGuard(const InterruptionGuard &) = delete;
    InterruptionGuard &operator=(const InterruptionGuard &) = delete;
};

// A file as reading it needs: its kind (links followed; Missing also when it
// cannot be reached), size and time of last change (nanoseconds since the epoch).
struct FileStatus {
    Kind kind = Kind::Missing;
    qint64 size = -1;
    qint64 modified = 0;
};
FileStatus statusOf(const QString &path);

// Opens the regular file at `path` for reading into `file`. A folder, device
// or pipe is refused without waiting on it.
Outcome openForReading(QFile &file, const QString &path);

// Makes the folder at `path` and any folder above it that is missing.
Outcome makePath(const QString &path);

} // namespace ledglyph::file_system
