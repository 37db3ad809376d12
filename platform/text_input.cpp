#include "platform/text_input.h"

#include "platform/file_system.h"

#include <QFile>
#include <QStringDecoder>

namespace ledglyph {

QString withCrLfLineBreaks(const QString &text)
{
    QString result;
    result.reserve(text.size() + text.size() / 8);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\r')) {
            if (i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
            result += QLatin1String("\r\n");
        } else if (c == QLatin1Char('\n')) {
            result += QLatin1String("\r\n");
        } else {
            result += c;
        }
    }
    return result;
}

QString typedTextFromFile(const QString &fileText)
{
    QString text = withCrLfLineBreaks(fileText);
    if (text.endsWith(QLatin1String("\r\n")))
        text.chop(2);
    return text;
}

Result<QString> utf8Text(const QByteArray &bytes, const QString &path)
{
    // Stateless: a sequence cut off at the end of the file is an error, not
    // bytes the decoder keeps waiting for. A leading byte-order mark is dropped.
    QStringDecoder decoder(QStringDecoder::Utf8, QStringConverter::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return Failure{QStringLiteral("文件 %1 不是 UTF-8 文本").arg(path)};
    return text;
}

Result<QString> readUtf8File(const QString &path)
{
    // A folder, a device or a pipe could block or never end: only regular files are read.
    const file_system::Kind kind = file_system::statusOf(path).kind;
    if (kind != file_system::Kind::Missing && kind != file_system::Kind::File)
        return Failure{QStringLiteral("%1 不是普通文件（不能是文件夹、设备或管道），无法从中读取要取模的文字").arg(path)};
    QFile file;
    if (const file_system::Outcome failed = file_system::openForReading(file, path))
        return Failure{QStringLiteral("无法读取文件 %1：%2").arg(path, *failed)};
    const QByteArray bytes = file.read(maxTextFileBytes + 1);
    if (file.error() != QFileDevice::NoError)
        return Failure{QStringLiteral("无法读取文件 %1：%2").arg(path, file.errorString())};
    if (bytes.size() > maxTextFileBytes)
        return Failure{QStringLiteral("文件 %1 太大（超过%2字节），远超一次能取模的文字").arg(path).arg(maxTextFileBytes)};
    return utf8Text(bytes, path);
}

} // namespace ledglyph
