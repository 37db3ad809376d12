#include "cli/text_input.h"

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

Utf8FileRead readUtf8File(const QString &path)
{
    Utf8FileRead result;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.error = QStringLiteral("无法读取文件 %1：%2").arg(path, file.errorString());
        return result;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        result.error = QStringLiteral("无法读取文件 %1：%2").arg(path, file.errorString());
        return result;
    }
    QStringDecoder decoder(QStringDecoder::Utf8); // drops a leading byte-order mark
    result.text = decoder.decode(bytes);
    if (decoder.hasError()) {
        result.text.clear();
        result.error = QStringLiteral("文件 %1 不是 UTF-8 文本").arg(path);
    }
    return result;
}

} // namespace ledglyph
