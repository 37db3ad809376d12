#include "core/character_code.h"

#include "platform/code_page_936.h"

namespace ledglyph {

QList<qint16> characterCodes(const QString &text)
{
    QList<qint16> codes;
    codes.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const std::optional<qint16> code = cp936::charCode(QStringView(text).sliced(i, 1));
        Q_ASSERT(code.has_value());
        codes.append(code.value_or(0));
    }
    return codes;
}

QByteArray codeBytes(const QList<qint16> &codes)
{
    QByteArray bytes;
    bytes.reserve(2 * codes.size());
    for (const qint16 code : codes)
        appendCodeBytes(bytes, code);
    return bytes;
}

} // namespace ledglyph
