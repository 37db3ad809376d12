#include "fonts/font_file.h"

#include <QFileInfo>

namespace ledglyph::fonts {

FontFile::FontFile(const QString &path) : m_path(path), m_file(path) {}

FontRead FontFile::open()
{
    FontRead result;
    const QFileInfo info(m_path);
    if (!info.exists()) {
        result.status = FontRead::Status::Missing;
        return result;
    }
    if (info.isDir()) {
        result.status = FontRead::Status::Unreadable;
        result.systemError = QStringLiteral("这是文件夹，不是文件");
        return result;
    }
    if (!info.isFile()) { // a device or a pipe: opening it could block
        result.status = FontRead::Status::Unreadable;
        result.systemError = QStringLiteral("这不是普通文件（可能是设备或管道）");
        return result;
    }
    if (!m_file.open(QIODevice::ReadOnly)) {
        result.status = FontRead::Status::Unreadable;
        result.systemError = m_file.errorString();
        return result;
    }
    result.fileSize = m_file.size();
    return result;
}

FontRead FontFile::readRecord(qint64 offset, qint32 length, QByteArray &out)
{
    out = QByteArray(length, '\0');
    FontRead result;
    if (!m_file.isOpen()) {
        result = open();
        if (!result.ok())
            return result;
    }
    result.fileSize = m_file.size();
    if (offset < 0 || offset + length > result.fileSize) {
        result.status = FontRead::Status::TooShort;
        result.neededSize = offset + length;
        return result;
    }
    if (!m_file.seek(offset) || m_file.read(out.data(), length) != length) {
        result.status = FontRead::Status::Unreadable;
        result.systemError = m_file.errorString();
        out.fill('\0');
    }
    return result;
}

} // namespace ledglyph::fonts
