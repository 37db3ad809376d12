#pragma once

#include "platform/result.h"

#include <QByteArray>
#include <QString>

class QFile;

namespace ledglyph::fontgen {

// The largest font file read into memory. The biggest CJK collections in
// Debian (fonts-noto-cjk) are about 30 MB; anything beyond this is refused
// before it can exhaust memory.
inline constexpr qint64 maxFontFileBytes = 128 * 1024 * 1024;

// Opens a font file for reading: a regular file, or standard input when
// `path` is "-" or "/dev/stdin". Anything else (a pipe, a device, a folder)
// is refused, since opening or reading it could wait forever.
Status openFontFile(QFile &file, const QString &path);

// Reads a font file whole, as a stream until its end (standard input has no
// size to go by), refusing it once it exceeds maxFontFileBytes. A gzipped file
// is unpacked, every member of it as gzip does (the same limit holds for what
// it unpacks to).
Result<QByteArray> readFontFile(const QString &path);

} // namespace ledglyph::fontgen
