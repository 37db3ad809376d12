#include "platform/file_set_writer.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include <filesystem>
#include <system_error>

namespace ledglyph {

namespace {

namespace fs = std::filesystem;

fs::path nativePath(const QString &path)
{
    return fs::path(QDir::toNativeSeparators(path).toStdU16String());
}

QString systemReason(const std::error_code &error)
{
    return QString::fromLocal8Bit(error.message());
}

// The system's reason, or a plainer one when the folder itself is missing
// (the system then only says "Unknown error").
QString failureReason(const QSaveFile &saver)
{
    const QFileInfo folder(QFileInfo(saver.fileName()).absolutePath());
    if (!folder.isDir())
        return QStringLiteral("文件夹“%1”不存在或不是文件夹").arg(QDir::toNativeSeparators(folder.filePath()));
    return saver.errorString();
}

// An old file kept while the set is being replaced, so that it can be put back.
struct KeptFile {
    QString target;
    QString keptPath; // empty: there was no old file
};

std::optional<QString> keepOldFile(const QString &target, KeptFile &kept)
{
    kept = {target, {}};
    const QFileInfo info(target);
    if (!info.isFile())
        return std::nullopt; // nothing to keep; a folder in the way fails the rename
    const QString keptPath = target + QStringLiteral(".ledglyph-old");
    std::error_code error;
    fs::remove(nativePath(keptPath), error); // a leftover of an interrupted run
    fs::create_hard_link(nativePath(target), nativePath(keptPath), error);
    if (error) // a file system without hard links: keep a copy instead
        fs::copy_file(nativePath(target), nativePath(keptPath), error);
    if (error)
        return QStringLiteral("无法保留原文件的副本（%1）").arg(systemReason(error));
    kept.keptPath = keptPath;
    return std::nullopt;
}

// Puts the old file back (or removes a file that did not exist before).
bool putBack(const KeptFile &kept)
{
    std::error_code error;
    if (kept.keptPath.isEmpty())
        fs::remove(nativePath(kept.target), error);
    else
        fs::rename(nativePath(kept.keptPath), nativePath(kept.target), error);
    return !error;
}

void discard(const KeptFile &kept)
{
    if (kept.keptPath.isEmpty())
        return;
    std::error_code error;
    fs::remove(nativePath(kept.keptPath), error);
}

} // namespace

FileSetWriter::FileSetWriter(QList<FileContent> files) : m_files(std::move(files)) {}

FileSetWriter::~FileSetWriter() = default; // QSaveFile removes an uncommitted temporary file

std::optional<FileSetFailure> FileSetWriter::stage()
{
    m_staged.clear();
    for (const FileContent &file : m_files) {
        auto saver = std::make_unique<QSaveFile>(file.path);
        // Each step is checked: a buffered write can "succeed" and the flush
        // that follows fail on a full disk, and commit() does not always say so.
        const bool written = saver->open(QIODevice::WriteOnly)
                             && saver->write(file.bytes) == file.bytes.size()
                             && saver->flush()
                             && saver->error() == QFileDevice::NoError;
        if (!written) {
            FileSetFailure failure{file.path, failureReason(*saver), {}};
            m_staged.clear();
            return failure;
        }
        m_staged.push_back(std::move(saver));
    }
    return std::nullopt;
}

std::optional<FileSetFailure> FileSetWriter::replace()
{
    Q_ASSERT(m_staged.size() == static_cast<size_t>(m_files.size()));
    QList<KeptFile> kept;
    std::optional<FileSetFailure> failure;
    for (std::unique_ptr<QSaveFile> &saver : m_staged) {
        const QString target = saver->fileName();
        KeptFile keptFile;
        if (const std::optional<QString> reason = keepOldFile(target, keptFile)) {
            failure = FileSetFailure{target, *reason, {}};
            break;
        }
        if (!saver->commit() || saver->error() != QFileDevice::NoError) {
            failure = FileSetFailure{target, failureReason(*saver), {}};
            discard(keptFile); // a failed rename left the target as it was
            break;
        }
        kept << keptFile;
    }
    m_staged.clear(); // discards the staged files not yet moved into place

    for (const KeptFile &file : kept) {
        if (!failure)
            discard(file);
        else if (!putBack(file))
            failure->changed << file.target; // its old bytes stay in the kept file
    }
    return failure;
}

std::optional<FileSetFailure> writeFileSet(const QList<FileContent> &files)
{
    FileSetWriter writer(files);
    if (std::optional<FileSetFailure> failure = writer.stage())
        return failure;
    return writer.replace();
}

} // namespace ledglyph
