#pragma once

#include "platform/result.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

namespace ledglyph::fonts {

// Why a record look-up failed. The conversion turns it into a refusal that
// names the file and the character, so no glyph is ever stored from a record
// that was not read.
struct FontRead {
    enum class Kind {
        Missing,    // no such file
        Unreadable, // a folder, a device or pipe, no permission, or an I/O error
        TooShort,   // the file ends before the record does
    };
    Kind kind = Kind::Missing;
    qint64 fileSize = -1;  // TooShort: the size of the file
    qint64 neededSize = 0; // TooShort: the size the file would need for the record
    QString systemError;   // Unreadable: the reason
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

    // The `length` bytes at byte `offset` as a view into the library, or why not.
    Result<QByteArrayView, FontRead> record(qint64 offset, qint32 length) const;

    // True when the file on disk is no longer the one loaded: it appeared,
    // went away, or changed its size or modification time.
    bool changedOnDisk() const;

private:
    QString m_path;
    std::optional<FontRead> m_problem = FontRead{}; // nothing once the file was read
    qint64 m_fileSize = -1;
    QByteArray m_bytes;
    qint64 m_modified = 0; // nanoseconds since the epoch
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
