#pragma once

#include "platform/result.h"

#include <QByteArray>
#include <QString>

namespace ledglyph::fontgen {

// The largest font file read into memory. The biggest CJK collections in
// Debian (fonts-noto-cjk) are about 30 MB; anything beyond this is refused
// before it can exhaust memory.
inline constexpr qint64 maxFontFileBytes = 128 * 1024 * 1024;

// Reads a font file whole, as a stream until its end (so a pipe such as
// /dev/stdin works too), refusing it once it exceeds maxFontFileBytes. A
// gzipped file is unpacked (the same limit holds for what it unpacks to).
Result<QByteArray> readFontFile(const QString &path);

} // namespace ledglyph::fontgen
