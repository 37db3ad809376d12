#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QDateTime>
#include <QString>

namespace ledglyph::fonts {

// How a record look-up ended. The conversion turns anything but Ok into a
// refusal that names the file, so no glyph is ever stored from a record that
// was not read.
struct FontRead {
    enum class Status {
        Ok,
        Missing,    // no such file
        Unreadable, // a folder, a device or pipe, no permission, or an I/O error
        TooShort,   // the file ends before the record does
    };
    Status status = Status::Ok;
    qint64 fileSize = -1;  // size of the file when it could be read
    qint64 neededSize = 0; // TooShort: the size the file would need for the record
    QString systemError;   // Unreadable: the reason

    bool ok() const { return status == Status::Ok; }
};

// One font library file (hzk16 or ASC16), read once and kept in memory.
// Records are looked up as views into it, whole or not at all: a record that
// the file does not hold completely is an error, not a zero-padded glyph. A
// file that is missing or cannot be read is remembered as such and reported
// by every look-up, so that only a run that needs it is refused.
class FontLibrary {
public:
    FontLibrary() = default; // no file: every look-up says Missing
    static FontLibrary load(const QString &path);

    const QString &path() const { return m_path; }

    // The `length` bytes at byte `offset`, or an empty view and why not.
    FontRead record(qint64 offset, qint32 length, QByteArrayView &bytes) const;

    // True when the file on disk is no longer the one loaded: it appeared,
    // went away, or changed its size or modification time.
    bool changedOnDisk() const;

private:
    QString m_path;
    FontRead m_status = [] { FontRead read; read.status = FontRead::Status::Missing; return read; }();
    QByteArray m_bytes;
    QDateTime m_modified;
};

// The two libraries of a font folder.
struct FontLibraries {
    FontLibrary hz;  // hzk16
    FontLibrary asc; // ASC16

    static FontLibraries load(const QString &folder);
    // Loads again each library whose file changed since it was loaded.
    void refresh();
};

} // namespace ledglyph::fonts
