#pragma once

#include "fonts/glyph_geometry.h"
#include "platform/result.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace ledglyph {

// An 8051 addresses no more external memory, so no board's glyph store holds
// more. The reference board's store holds LEDGLYPH_GLYPH_FILE_MAX_BYTES, the
// largest file the converter writes.
inline constexpr qint64 maxGlyphFileBytes = 64 * 1024;

// The listing leaves out the 11 banner cells and the final byte of a glyph file.
inline constexpr qint64 glyphFileTailBytes = glyphBufferTailBytes;

// Reads the file byte for byte, whatever its extension; refuses what is not a
// regular file (a pipe or a device could block for ever), a file that cannot be
// read or one larger than maxGlyphFileBytes, with the reason in Chinese.
Result<QByteArray> readGlyphFile(const QString &path);

// Why the reference board will refuse a file of `size` bytes (not 32 * L + 353
// bytes for some L >= 1, or more than its store holds); nothing when it takes it.
std::optional<QString> boardRefusalWarning(qint64 size);

// "0x" + upper-case hex without leading zeros + ", " for each of the first
// N − 353 bytes (none when the file has 353 bytes or fewer).
QString hexListing(const QByteArray &bytes);

// "文件读入正常，大小为：" (N − 353) "字节" and 7 spaces; the time of day follows.
QString sizeLine(qint64 fileSize);

} // namespace ledglyph
