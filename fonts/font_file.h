#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

namespace ledglyph::fonts {

// How a font read ended. The conversion turns anything but Ok into a refusal
// that names the file, so no glyph is ever stored from a record that was not read.
struct FontRead {
    enum class Status {
        Ok,
        Missing,    // no such file
        Unreadable, // a folder, no permission, or an I/O error
        TooShort,   // the file ends before the record does
    };
    Status status = Status::Ok;
    qint64 fileSize = -1;   // size of the file when it could be opened
    qint64 neededSize = 0;  // TooShort: the size the file would need for the record
    QString systemError;    // Unreadable: the system's own reason

    bool ok() const { return status == Status::Ok; }
};

// One font library file opened for reading. Records are read whole or not at
// all: a record that the file does not hold completely is an error, not a
// zero-padded glyph.
class FontFile {
public:
    explicit FontFile(const QString &path);

    const QString &path() const { return m_path; }

    FontRead open();

    // Reads `length` bytes from byte offset `offset` into `out` (resized to
    // `length`). On failure `out` is all zero.
    FontRead readRecord(qint64 offset, qint32 length, QByteArray &out);

private:
    QString m_path;
    QFile m_file;
};

} // namespace ledglyph::fonts
