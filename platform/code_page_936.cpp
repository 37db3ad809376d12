#include "platform/code_page_936.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace ledglyph::cp936 {

std::optional<QByteArray> encode(QStringView text)
{
    // Stateless: a high surrogate at the end of the text is an error, not a
    // character the encoder waits to complete (and silently drops).
    QStringEncoder encoder("GBK", QStringConverter::Flag::Stateless);
    QByteArray bytes = encoder.encode(text);
    if (!encoder.isValid() || encoder.hasError())
        return std::nullopt;
    return bytes;
}

QString decode(const QByteArray &bytes)
{
    QStringDecoder decoder("GBK");
    return decoder.decode(bytes);
}

std::optional<qint16> charCode(QStringView ch)
{
    const std::optional<QByteArray> bytes = encode(ch);
    if (!bytes)
        return std::nullopt;
    if (bytes->size() == 1)
        return static_cast<qint16>(static_cast<quint8>(bytes->at(0)));
    if (bytes->size() == 2) {
        const auto word = static_cast<quint16>((static_cast<quint8>(bytes->at(0)) << 8)
                                               | static_cast<quint8>(bytes->at(1)));
        return static_cast<qint16>(word);
    }
    return std::nullopt;
}

bool isGb2312DoubleByte(qint16 code)
{
    const auto word = static_cast<quint16>(code);
    const quint8 first = word >> 8;
    const quint8 second = word & 0xFF;
    return first >= 0xA1 && first <= 0xFE && second >= 0xA1 && second <= 0xFE;
}

} // namespace ledglyph::cp936
