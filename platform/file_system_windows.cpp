// The file system on Windows: wide-character calls on full paths. The lock is
// a lock file opened without sharing, which Windows removes when the program
// ends however it ends; a rename waits until it is on the disk
// (MOVEFILE_WRITE_THROUGH), and Windows has no sync of a folder.

#include "platform/file_system.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <atomic>

#include <windows.h>

namespace ledglyph::file_system {

namespace {

const QString lockFileName = QStringLiteral(".ledglyph-lock");

QString reason(DWORD error)
{
    wchar_t *text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error,
        0, reinterpret_cast<wchar_t *>(&text), 0, nullptr);
    QString message = length > 0 ? QString::fromWCharArray(text, int(length)).trimmed()
                                 : QStringLiteral("Windows error %1").arg(error);
    LocalFree(text);
    return message;
}

Outcome lastError()
{
    return reason(GetLastError());
}

const wchar_t *wide(const QString &path)
{
    return reinterpret_cast<const wchar_t *>(path.utf16());
}

Kind kindOfAttributes(DWORD attributes)
{
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT)
        return Kind::Link;
    return attributes & FILE_ATTRIBUTE_DIRECTORY ? Kind::Folder : Kind::File;
}

bool isMissing(DWORD error)
{
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

// What a path leads to, links followed: a disk file or folder, or something else (a device).
Kind followedKind(const QString &path)
{
    const HANDLE handle = CreateFileW(wide(path), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                      OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return isMissing(GetLastError()) ? Kind::Missing : Kind::Other;
    BY_HANDLE_FILE_INFORMATION information{};
    Kind kind = Kind::Other;
    if (GetFileType(handle) == FILE_TYPE_DISK && GetFileInformationByHandle(handle, &information))
        kind = information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY ? Kind::Folder : Kind::File;
    CloseHandle(handle);
    return kind;
}

} // namespace

struct Folder::Handle {
    QString path;
    HANDLE folder = INVALID_HANDLE_VALUE;
    HANDLE lock = INVALID_HANDLE_VALUE;
    ~Handle()
    {
        if (lock != INVALID_HANDLE_VALUE)
            CloseHandle(lock); // removes the lock file
        if (folder != INVALID_HANDLE_VALUE)
            CloseHandle(folder);
    }
};

Folder::Folder(std::unique_ptr<Handle> handle) : m_handle(std::move(handle)) {}
Folder::Folder(Folder &&other) noexcept = default;
Folder &Folder::operator=(Folder &&other) noexcept = default;
Folder::~Folder() = default;

Result<Folder, QString> Folder::open(const QString &path)
{
    const QString native = QDir::toNativeSeparators(path);
    const HANDLE folder = CreateFileW(wide(native), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                      OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (folder == INVALID_HANDLE_VALUE)
        return *lastError();
    BY_HANDLE_FILE_INFORMATION information{};
    if (!GetFileInformationByHandle(folder, &information) || !(information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        CloseHandle(folder);
        return reason(ERROR_DIRECTORY);
    }
    auto handle = std::make_unique<Handle>();
    handle->path = native;
    handle->folder = folder;
    return Folder(std::move(handle));
}

QString Folder::filePath(const QString &name) const
{
    return m_handle->path.endsWith(QLatin1Char('\\')) ? m_handle->path + name
                                                      : m_handle->path + QLatin1Char('\\') + name;
}

QByteArray Folder::identity() const
{
    BY_HANDLE_FILE_INFORMATION information{};
    GetFileInformationByHandle(m_handle->folder, &information);
    return QByteArray::number(quint64(information.dwVolumeSerialNumber)) + ':'
        + QByteArray::number((quint64(information.nFileIndexHigh) << 32) | information.nFileIndexLow);
}

Result<Folder::Lock, QString> Folder::tryLock()
{
    const HANDLE lock = CreateFileW(wide(filePath(lockFileName)), GENERIC_READ | GENERIC_WRITE | DELETE, 0, nullptr,
                                    OPEN_ALWAYS, FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (lock != INVALID_HANDLE_VALUE) {
        m_handle->lock = lock;
        return Lock::Taken;
    }
    const DWORD error = GetLastError();
    if (error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED)
        return Lock::Busy;
    if (error == ERROR_NOT_SUPPORTED || error == ERROR_INVALID_FUNCTION)
        return Lock::Unsupported;
    return reason(error);
}

QStringList Folder::names() const
{
    QStringList names;
    WIN32_FIND_DATAW found{};
    const HANDLE search = FindFirstFileW(wide(filePath(QStringLiteral("*"))), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        const QString name = QString::fromWCharArray(found.cFileName);
        if (name != QLatin1String(".") && name != QLatin1String(".."))
            names << name;
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
}

Kind Folder::kind(const QString &name) const
{
    const DWORD attributes = GetFileAttributesW(wide(filePath(name)));
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return isMissing(GetLastError()) ? Kind::Missing : Kind::Other;
    const Kind kind = kindOfAttributes(attributes);
    // A name such as NUL or COM1 is a device, whatever its attributes say.
    return kind == Kind::File && followedKind(filePath(name)) != Kind::File ? Kind::Other : kind;
}

Kind Folder::linkedKind(const QString &name) const
{
    return followedKind(filePath(name));
}

Outcome Folder::writeNew(const QString &name, const QByteArray &bytes, const QString &) const
{
    // Permissions need no copying: a new file takes the folder's, as the old one did.
    const QString path = filePath(name);
    const HANDLE file = CreateFileW(wide(path), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return lastError();
    Outcome failure;
    for (qsizetype done = 0; done < bytes.size() && !failure;) {
        const DWORD chunk = DWORD(std::min<qsizetype>(bytes.size() - done, 1 << 30));
        DWORD written = 0;
        if (!WriteFile(file, bytes.constData() + done, chunk, &written, nullptr) || written == 0)
            failure = lastError();
        done += written;
    }
    if (!failure && !bytes.isEmpty() && !FlushFileBuffers(file))
        failure = lastError();
    if (!CloseHandle(file) && !failure)
        failure = lastError();
    if (failure)
        DeleteFileW(wide(path));
    return failure;
}

Outcome Folder::keep(const QString &name, const QString &copyName) const
{
    const QString from = filePath(name);
    const QString to = filePath(copyName);
    if (CreateHardLinkW(wide(to), wide(from), nullptr))
        return {};
    // No hard links here (FAT, some shares): a copy.
    return CopyFileW(wide(from), wide(to), TRUE) ? Outcome() : lastError();
}

Outcome Folder::rename(const QString &from, const QString &to) const
{
    if (!MoveFileExW(wide(filePath(from)), wide(filePath(to)), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return lastError();
    return {};
}

Outcome Folder::remove(const QString &name) const
{
    return DeleteFileW(wide(filePath(name))) ? Outcome() : lastError();
}

Outcome Folder::sync() const
{
    return {}; // each rename was written through
}

namespace {

// Set while the program must not end. Windows runs the console handler on a
// thread of its own, so it can wait until the guarded step is done.
std::atomic<bool> holding{false};
std::atomic<bool> endRequested{false};

BOOL WINAPI waitBeforeEnding(DWORD)
{
    endRequested = true;
    while (holding.load())
        Sleep(10);
    return FALSE; // then the usual handling: the program ends
}

} // namespace

InterruptionGuard::InterruptionGuard()
{
    endRequested = false;
    holding = true;
    SetConsoleCtrlHandler(waitBeforeEnding, TRUE);
}

bool InterruptionGuard::requested() const
{
    return endRequested.load();
}

InterruptionGuard::~InterruptionGuard()
{
    holding = false;
    SetConsoleCtrlHandler(waitBeforeEnding, FALSE);
}

FileStatus statusOf(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return {};
    const Kind kind = info.isDir() ? Kind::Folder : followedKind(QDir::toNativeSeparators(path));
    return {kind, info.size(), info.lastModified().toMSecsSinceEpoch() * 1000000};
}

Outcome openForReading(QFile &file, const QString &path)
{
    if (followedKind(QDir::toNativeSeparators(path)) != Kind::File)
        return QStringLiteral("不是普通文件");
    file.setFileName(path);
    return file.open(QIODevice::ReadOnly) ? Outcome() : file.errorString();
}

Outcome makePath(const QString &path)
{
    return QDir().mkpath(path) ? Outcome() : reason(GetLastError());
}

} // namespace ledglyph::file_system
