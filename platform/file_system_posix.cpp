// The file system on POSIX: calls relative to an open folder, every result
// checked (Qt's QSaveFile ignores the result of its sync, and a short write
// there leaves no reason), names as bytes.

#include "platform/file_system.h"

#include "platform/name_bytes.h"

#include <QFile>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <system_error>

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ledglyph::file_system {

namespace {

QString reason(int error)
{
    return QString::fromLocal8Bit(std::generic_category().message(error));
}

Outcome lastError()
{
    return reason(errno);
}

QByteArray bytes(const QString &name)
{
    return bytesFromText(name);
}

Kind kindOf(mode_t mode)
{
    if (S_ISREG(mode))
        return Kind::File;
    if (S_ISDIR(mode))
        return Kind::Folder;
    if (S_ISLNK(mode))
        return Kind::Link;
    return Kind::Other;
}

Outcome closeChecked(int fd)
{
    // A network file system may report a failed write only here.
    return ::close(fd) == 0 || errno == EINTR ? Outcome() : lastError();
}

Outcome writeWhole(int fd, const QByteArray &bytes)
{
    // A write may take part of the bytes; the one after it then says why
    // it takes no more (no space left, file too large).
    for (qsizetype done = 0; done < bytes.size();) {
        const ssize_t written = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return written < 0 ? lastError() : reason(EIO);
        done += written;
    }
    return {};
}

Outcome readWhole(int fd, QByteArray &bytes)
{
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return lastError();
        if (got == 0)
            return {};
        bytes.append(buffer, got);
    }
}

} // namespace

struct Folder::Handle {
    QString path;
    int fd = -1;
    ~Handle()
    {
        if (fd >= 0)
            ::close(fd); // also releases the lock
    }
};

Folder::Folder(std::unique_ptr<Handle> handle) : m_handle(std::move(handle)) {}
Folder::Folder(Folder &&other) noexcept = default;
Folder &Folder::operator=(Folder &&other) noexcept = default;
Folder::~Folder() = default;

Result<Folder, QString> Folder::open(const QString &path)
{
    const int fd = ::open(bytes(path).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return *lastError();
    auto handle = std::make_unique<Handle>();
    handle->path = path;
    handle->fd = fd;
    return Folder(std::move(handle));
}

QString Folder::filePath(const QString &name) const
{
    return m_handle->path.endsWith(QLatin1Char('/')) ? m_handle->path + name
                                                     : m_handle->path + QLatin1Char('/') + name;
}

QByteArray Folder::identity() const
{
    struct stat status {};
    ::fstat(m_handle->fd, &status);
    return QByteArray::number(quint64(status.st_dev)) + ':' + QByteArray::number(quint64(status.st_ino));
}

Result<Folder::Lock, QString> Folder::tryLock()
{
    // flock, not fcntl: a lock on the folder itself needs no lock file, and
    // it ends with the process however that ends.
    if (::flock(m_handle->fd, LOCK_EX | LOCK_NB) == 0)
        return Lock::Taken;
    if (errno == EWOULDBLOCK || errno == EINTR)
        return Lock::Busy;
    if (errno == ENOLCK || errno == EOPNOTSUPP || errno == EBADF || errno == EINVAL)
        return Lock::Unsupported;
    return *lastError();
}

QStringList Folder::names() const
{
    QStringList names;
    const int fd = ::openat(m_handle->fd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    DIR *dir = fd >= 0 ? ::fdopendir(fd) : nullptr;
    if (!dir) {
        if (fd >= 0)
            ::close(fd);
        return names;
    }
    while (const dirent *entry = ::readdir(dir)) {
        if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0)
            names << textFromBytes(entry->d_name);
    }
    ::closedir(dir);
    return names;
}

Kind Folder::kind(const QString &name) const
{
    struct stat status {};
    if (::fstatat(m_handle->fd, bytes(name).constData(), &status, AT_SYMLINK_NOFOLLOW) != 0)
        return errno == ENOENT ? Kind::Missing : Kind::Other;
    return kindOf(status.st_mode);
}

Kind Folder::linkedKind(const QString &name) const
{
    struct stat status {};
    if (::fstatat(m_handle->fd, bytes(name).constData(), &status, 0) != 0)
        return errno == ENOENT ? Kind::Missing : Kind::Other;
    return kindOf(status.st_mode);
}

Outcome Folder::writeNew(const QString &name, const QByteArray &content, const QString &permissionsOf) const
{
    const int fd = ::openat(m_handle->fd, bytes(name).constData(),
                            O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0)
        return lastError();
    struct stat old {};
    Outcome failure;
    if (!permissionsOf.isEmpty()
        && ::fstatat(m_handle->fd, bytes(permissionsOf).constData(), &old, AT_SYMLINK_NOFOLLOW) == 0
        && S_ISREG(old.st_mode) && ::fchmod(fd, old.st_mode & 07777) != 0)
        failure = lastError();
    if (!failure)
        failure = writeWhole(fd, content);
    // An empty file has no data to sync; the folder's sync records it.
    if (!failure && !content.isEmpty() && ::fdatasync(fd) != 0)
        failure = lastError();
    const Outcome closed = closeChecked(fd);
    if (!failure)
        failure = closed;
    if (failure)
        ::unlinkat(m_handle->fd, bytes(name).constData(), 0);
    return failure;
}

Outcome Folder::keep(const QString &name, const QString &copyName) const
{
    const QByteArray from = bytes(name);
    const QByteArray to = bytes(copyName);
    if (::linkat(m_handle->fd, from.constData(), m_handle->fd, to.constData(), 0) == 0)
        return {};
    if (errno != EPERM && errno != EOPNOTSUPP && errno != EXDEV && errno != EMLINK && errno != ENOSYS)
        return lastError();
    // No hard links here (FAT, some shares): a copy of the file, or of the link.
    if (kind(name) == Kind::Link) {
        QByteArray target(4096, '\0');
        const ssize_t length = ::readlinkat(m_handle->fd, from.constData(), target.data(), size_t(target.size()));
        if (length < 0)
            return lastError();
        target.truncate(length);
        return ::symlinkat(target.constData(), m_handle->fd, to.constData()) == 0 ? Outcome() : lastError();
    }
    const int fd = ::openat(m_handle->fd, from.constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return lastError();
    QByteArray content;
    const Outcome read = readWhole(fd, content);
    ::close(fd);
    return read ? read : writeNew(copyName, content, name);
}

Outcome Folder::rename(const QString &from, const QString &to) const
{
    if (::renameat(m_handle->fd, bytes(from).constData(), m_handle->fd, bytes(to).constData()) != 0)
        return lastError();
    return {};
}

Outcome Folder::remove(const QString &name) const
{
    if (::unlinkat(m_handle->fd, bytes(name).constData(), 0) != 0)
        return lastError();
    return {};
}

Outcome Folder::sync() const
{
    return ::fsync(m_handle->fd) == 0 ? Outcome() : lastError();
}

namespace {

// A request to end the program that arrived while it was held off.
volatile std::sig_atomic_t heldSignal = 0;

void holdSignal(int signal)
{
    heldSignal = signal;
}

constexpr int heldSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};
struct sigaction savedActions[std::size(heldSignals)];

} // namespace

// A handler, not a blocked signal mask: the mask holds for one thread only,
// and a process-wide signal would go to another thread of the window.
InterruptionGuard::InterruptionGuard()
{
    heldSignal = 0;
    struct sigaction hold {};
    hold.sa_handler = holdSignal;
    hold.sa_flags = SA_RESTART;
    sigemptyset(&hold.sa_mask);
    for (size_t i = 0; i < std::size(heldSignals); ++i) {
        ::sigaction(heldSignals[i], &hold, &savedActions[i]);
        if (savedActions[i].sa_handler == SIG_IGN) // ignored stays ignored (nohup)
            ::sigaction(heldSignals[i], &savedActions[i], nullptr);
    }
}

bool InterruptionGuard::requested() const
{
    return heldSignal != 0;
}

InterruptionGuard::~InterruptionGuard()
{
    for (size_t i = 0; i < std::size(heldSignals); ++i)
        ::sigaction(heldSignals[i], &savedActions[i], nullptr);
    if (const int signal = heldSignal) {
        heldSignal = 0;
        ::raise(signal); // now as the program would have taken it (ignored, handled, or the end)
    }
}

FileStatus statusOf(const QString &path)
{
    struct stat status {};
    if (::stat(bytes(path).constData(), &status) != 0)
        return {}; // missing, or out of reach: opening it gives the reason
    return {kindOf(status.st_mode), qint64(status.st_size),
            qint64(status.st_mtim.tv_sec) * 1000000000 + status.st_mtim.tv_nsec};
}

Outcome openForReading(QFile &file, const QString &path)
{
    // Non-blocking: opening a pipe without a writer would wait for one.
    const int fd = ::open(bytes(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return lastError();
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        return QStringLiteral("不是普通文件");
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return file.errorString();
    }
    return {};
}

Outcome makePath(const QString &path)
{
    const QByteArray whole = bytes(path);
    for (qsizetype end = 1; end <= whole.size(); ++end) {
        if (end < whole.size() && whole[end] != '/')
            continue;
        const QByteArray part = whole.left(end);
        if (::mkdir(part.constData(), 0777) != 0 && errno != EEXIST)
            return lastError();
    }
    struct stat status {};
    if (::stat(whole.constData(), &status) != 0)
        return lastError();
    return S_ISDIR(status.st_mode) ? Outcome() : reason(ENOTDIR);
}

} // namespace ledglyph::file_system
