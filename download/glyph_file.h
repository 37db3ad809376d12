#pragma once

#include "fonts/glyph_geometry.h"
#include "platform/result.h"

#include <QByteArray>
#include <QString>

namespace ledglyph {

// No glyph store of an 8051 board holds more; the largest file the converter
// writes is 32,737 bytes.
inline constexpr qint64 maxGlyphFileBytes = 64 * 1024;

// The listing leaves out the 11 banner cells and the final byte of a glyph file.
inline constexpr qint64 glyphFileTailBytes = glyphBufferTailBytes;

// Reads the file byte for byte, whatever its extension; refuses a file that
// cannot be read or is larger than maxGlyphFileBytes, with the reason in Chinese.
Result<QByteArray> readGlyphFile(const QString &path);

// "0x" + upper-case hex without leading zeros + ", " for each of the first
// N − 353 bytes (none when the file has 353 bytes or fewer).
QString hexListing(const QByteArray &bytes);

// "文件读入正常，大小为：" (N − 353) "字节" and 7 spaces; the time of day follows.
QString sizeLine(qint64 fileSize);

} // namespace ledglyph
