#include "fonts/font_library.h"

#include "fonts/font_records.h"
#include "platform/app_dir.h"
#include "platform/file_system.h"

#include <QFile>

namespace ledglyph::fonts {

namespace {

// No record lies beyond the last GB2312 position (FEFE) of hzk16, so a larger
// file is read only that far.
constexpr qint64 bytesEverNeeded = 94LL * hzPositionsPerZone * hzRecordSize;

FontRead unreadable(const QString &reason)
{
    FontRead read;
    read.kind = FontRead::Kind::Unreadable;
    read.systemError = reason;
    return read;
}

} // namespace

FontLibrary FontLibrary::load(const QString &path)
{
    FontLibrary library;
    library.m_path = path;
    const file_system::FileStatus status = file_system::statusOf(path);
    library.m_modified = status.modified;
    if (status.kind == file_system::Kind::Missing)
        return library; // Missing
    if (status.kind == file_system::Kind::Folder) {
        library.m_problem = unreadable(QStringLiteral("这是文件夹，不是文件"));
        return library;
    }
    if (status.kind != file_system::Kind::File) { // a device or a pipe: opening it could block
        library.m_problem = unreadable(QStringLiteral("这不是普通文件（可能是设备或管道）"));
        return library;
    }
    QFile file;
    if (const file_system::Outcome failed = file_system::openForReading(file, path)) {
        library.m_problem = unreadable(*failed);
        return library;
    }
    const qint64 size = file.size();
    library.m_bytes = file.read(qMin(size, bytesEverNeeded));
    if (library.m_bytes.size() != qMin(size, bytesEverNeeded)) {
        library.m_bytes.clear();
        library.m_problem = unreadable(file.errorString());
        return library;
    }
    library.m_problem.reset();
    library.m_fileSize = size;
    return library;
}

Result<QByteArrayView, FontRead> FontLibrary::record(qint64 offset, qint32 length) const
{
    if (m_problem)
        return *m_problem;
    Q_ASSERT(offset >= 0 && offset + length <= bytesEverNeeded);
    if (offset + length > m_bytes.size()) {
        FontRead tooShort;
        tooShort.kind = FontRead::Kind::TooShort;
        tooShort.fileSize = m_fileSize;
        tooShort.neededSize = offset + length;
        return tooShort;
    }
    return QByteArrayView(m_bytes).sliced(offset, length);
}

bool FontLibrary::changedOnDisk() const
{
    const file_system::FileStatus status = file_system::statusOf(m_path);
    const bool wasMissing = m_problem && m_problem->kind == FontRead::Kind::Missing;
    if ((status.kind != file_system::Kind::Missing) == wasMissing)
        return true;
    return status.modified != m_modified || (!m_problem && status.size != m_fileSize);
}

FontLibraries FontLibraries::load(const QString &folder)
{
    return {FontLibrary::load(pathIn(folder, hzFileName)), FontLibrary::load(pathIn(folder, ascFileName))};
}

void FontLibraries::refresh()
{
    for (FontLibrary *library : {&hz, &asc}) {
        if (library->changedOnDisk())
            *library = FontLibrary::load(library->path());
    }
}

} // namespace ledglyph::fonts
