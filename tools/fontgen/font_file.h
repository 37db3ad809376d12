#pragma once

#include "platform/result.h"

#include <QByteArray>
#include <QFile>
#include <QString>

#include <memory>

namespace ledglyph::fontgen {

// The largest font file read into memory. The biggest CJK collections in
// Debian (fonts-noto-cjk) are about 30 MB; anything beyond this is refused
// before it can exhaust memory.
inline constexpr qint64 maxFontFileBytes = 128 * 1024 * 1024;

// Opens a font file for reading: a regular file, or standard input when
// `path` is "-" or "/dev/stdin". Anything else (a pipe, a device, a folder)
// is refused, since opening or reading it could wait forever.
Status openFontFile(QFile &file, const QString &path);

// A font file's bytes. A regular file is mapped into memory rather than
// copied: FreeType then touches only the pages it reads, as with a font file
// it opens itself (and, the same way, a file cut short by another program
// while it is mapped ends the program). `file` keeps the mapping alive while
// `bytes` points into it; it is empty when the bytes were read or unpacked.
struct FontBytes {
    QByteArray bytes;
    std::unique_ptr<QFile> file;
};

// Reads a font file whole: a regular file mapped (or, where it cannot be
// mapped, read in one go), standard input as a stream until its end, since it
// has no size to go by. A file beyond maxFontFileBytes is refused. A gzipped
// file is unpacked, every member of it as gzip does (the same limit holds for
// what it unpacks to).
Result<FontBytes> readFontFile(const QString &path);

} // namespace ledglyph::fontgen
