#include "tools/fontgen/font_file.h"

#include "platform/file_system.h"

#include <QFile>

#include <cstdio>

#include <zlib.h>

namespace ledglyph::fontgen {

namespace {

bool startsWith(const QByteArray &bytes, const char *magic)
{
    return bytes.startsWith(QByteArray(magic));
}

// Unpacks gzip data (a .pcf.gz font) in memory, at most maxFontFileBytes of
// it. FreeType could unpack it too, but on a damaged stream it falls back to
// reading by seeks that restart the inflation, and takes minutes. Members
// follow one another (as `cat a.gz b.gz` makes them) until the data ends.
Result<QByteArray> gunzip(QByteArray bytes, const QString &path)
{
    z_stream stream{};
    if (inflateInit2(&stream, 16 + MAX_WBITS) != Z_OK) // 16: a gzip header, not zlib's
        return Failure{QStringLiteral("无法解压字体文件 %1").arg(path)};
    stream.next_in = reinterpret_cast<Bytef *>(bytes.data());
    stream.avail_in = uInt(bytes.size()); // at most maxFontFileBytes
    QByteArray unpacked;
    int status = Z_OK;
    while (status == Z_OK && unpacked.size() <= maxFontFileBytes) {
        const qsizetype done = unpacked.size();
        unpacked.resize(done + 1024 * 1024);
        stream.next_out = reinterpret_cast<Bytef *>(unpacked.data() + done);
        stream.avail_out = 1024 * 1024;
        status = inflate(&stream, Z_NO_FLUSH);
        unpacked.resize(unpacked.size() - stream.avail_out);
        if (status == Z_STREAM_END && stream.avail_in > 0 && inflateReset(&stream) == Z_OK)
            status = Z_OK; // the next member
    }
    inflateEnd(&stream);
    if (unpacked.size() > maxFontFileBytes) {
        return Failure{
            QStringLiteral("字体文件 %1 解压后超过 %2 MB，不予读取").arg(path).arg(maxFontFileBytes / (1024 * 1024))};
    }
    if (status != Z_STREAM_END)
        return Failure{QStringLiteral("字体文件 %1 的 gzip 压缩数据已损坏或不完整").arg(path)};
    return unpacked;
}

} // namespace

Status openFontFile(QFile &file, const QString &path)
{
    if (path == QLatin1String("-") || path == QLatin1String("/dev/stdin")) {
        if (!file.open(stdin, QIODevice::ReadOnly))
            return Failure{QStringLiteral("无法读取标准输入：%1").arg(file.errorString())};
        return {};
    }
    const file_system::Kind kind = file_system::statusOf(path).kind;
    if (kind != file_system::Kind::Missing && kind != file_system::Kind::File) {
        return Failure{QStringLiteral("字体文件 %1 不是普通文件（不能是文件夹、设备或管道；从标准输入读取请写 -）")
                           .arg(path)};
    }
    if (const file_system::Outcome failed = file_system::openForReading(file, path))
        return Failure{QStringLiteral("无法打开字体文件 %1：%2").arg(path, *failed)};
    return {};
}

Result<QByteArray> readFontFile(const QString &path)
{
    QFile file;
    if (const Status opened = openFontFile(file, path); !opened.ok())
        return opened.error();
    QByteArray bytes;
    constexpr qint64 chunk = 1024 * 1024;
    for (;;) {
        // One byte beyond the limit tells a file of exactly the limit from a larger one.
        const qint64 room = maxFontFileBytes + 1 - bytes.size();
        const QByteArray part = file.read(std::min(chunk, room));
        if (part.isEmpty())
            break;
        bytes += part;
        if (bytes.size() > maxFontFileBytes) {
            return Failure{
                QStringLiteral("字体文件 %1 超过 %2 MB，不予读取").arg(path).arg(maxFontFileBytes / (1024 * 1024))};
        }
    }
    if (file.error() != QFileDevice::NoError)
        return Failure{QStringLiteral("读取字体文件 %1 失败：%2").arg(path, file.errorString())};
    if (bytes.isEmpty())
        return Failure{QStringLiteral("字体文件 %1 是空的").arg(path)};
    if (startsWith(bytes, "\x1F\x9D") || startsWith(bytes, "BZh"))
        return Failure{QStringLiteral("字体文件 %1 以 compress 或 bzip2 压缩，请先解压（支持 gzip 压缩的 .pcf.gz）").arg(path)};
    if (startsWith(bytes, "\x1F\x8B"))
        return gunzip(std::move(bytes), path);
    return bytes;
}

} // namespace ledglyph::fontgen
