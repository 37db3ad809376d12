#include "tools/fontgen/font_file.h"

#include "platform/file_system.h"

#include <QFile>

#include <algorithm>
#include <cstdio>

#define ZLIB_CONST // inflate only reads its input: it may be a mapped file
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
Result<QByteArray> gunzip(const QByteArray &bytes, const QString &path)
{
    z_stream stream{};
    if (inflateInit2(&stream, 16 + MAX_WBITS) != Z_OK) // 16: a gzip header, not zlib's
        return Failure{QStringLiteral("无法解压字体文件 %1").arg(path)};
    stream.next_in = reinterpret_cast<const Bytef *>(bytes.constData());
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

Result<FontBytes> readFontFile(const QString &path)
{
    FontBytes font{{}, std::make_unique<QFile>()};
    QFile &file = *font.file;
    if (const Status opened = openFontFile(file, path); !opened.ok())
        return opened.error();
    const Failure tooLarge{
        QStringLiteral("字体文件 %1 超过 %2 MB，不予读取").arg(path).arg(maxFontFileBytes / (1024 * 1024))};
    const qint64 size = file.isSequential() ? -1 : file.size() - file.pos();
    if (size > maxFontFileBytes)
        return tooLarge;
    if (size > 0 && file.pos() == 0) {
        if (const uchar *mapped = file.map(0, size))
            font.bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(mapped), size);
    }
    if (font.bytes.isEmpty() && size >= 0) {
        // One read into one buffer: read in parts, the growing buffer cost
        // more in page faults than the reading itself.
        font.bytes.resize(size);
        font.bytes.resize(std::max<qint64>(0, file.read(font.bytes.data(), size)));
    } else if (size < 0) {
        // One byte beyond the limit tells a stream of exactly the limit from a larger one.
        constexpr qint64 chunk = 1024 * 1024;
        for (QByteArray part; !(part = file.read(std::min(chunk, maxFontFileBytes + 1 - font.bytes.size()))).isEmpty();) {
            font.bytes += part;
            if (font.bytes.size() > maxFontFileBytes)
                return tooLarge;
        }
    }
    if (file.error() != QFileDevice::NoError)
        return Failure{QStringLiteral("读取字体文件 %1 失败：%2").arg(path, file.errorString())};
    if (font.bytes.isEmpty())
        return Failure{QStringLiteral("字体文件 %1 是空的").arg(path)};
    if (startsWith(font.bytes, "\x1F\x9D") || startsWith(font.bytes, "BZh"))
        return Failure{QStringLiteral("字体文件 %1 以 compress 或 bzip2 压缩，请先解压（支持 gzip 压缩的 .pcf.gz）").arg(path)};
    if (startsWith(font.bytes, "\x1F\x8B")) {
        Result<QByteArray> unpacked = gunzip(font.bytes, path);
        if (!unpacked.ok())
            return unpacked.error();
        return FontBytes{std::move(unpacked).value(), nullptr};
    }
    return font;
}

} // namespace ledglyph::fontgen
