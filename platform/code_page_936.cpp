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

CharCoder::CharCoder() : m_encoder("GBK", QStringConverter::Flag::Stateless) {}

std::optional<qint16> CharCoder::code(QStringView ch)
{
    if (ch.isEmpty() || ch.size() > 2 || !m_encoder.isValid())
        return std::nullopt;
    m_encoder.resetState();
    char bytes[16];
    Q_ASSERT(m_encoder.requiredSpace(ch.size()) <= qsizetype(sizeof bytes));
    const qsizetype length = m_encoder.appendToBuffer(bytes, ch) - bytes;
    if (m_encoder.hasError())
        return std::nullopt;
    if (length == 1)
        return static_cast<qint16>(static_cast<quint8>(bytes[0]));
    if (length == 2) {
        const auto word = static_cast<quint16>((static_cast<quint8>(bytes[0]) << 8) | static_cast<quint8>(bytes[1]));
        return static_cast<qint16>(word);
    }
    return std::nullopt;
}

std::optional<qint16> charCode(QStringView ch)
{
    return CharCoder().code(ch);
}

namespace {

// The assigned second bytes of each GB2312 symbol row (A1 to A9), as ranges.
struct Range {
    quint8 first;
    quint8 last;
};
struct SymbolRow {
    quint8 row;
    Range ranges[3];
};
constexpr SymbolRow symbolRows[] = {
    {0xA1, {{0xA1, 0xFE}, {}, {}}},                     // punctuation and signs
    {0xA2, {{0xB1, 0xE2}, {0xE5, 0xEE}, {0xF1, 0xFC}}}, // numbered forms, Roman numerals
    {0xA3, {{0xA1, 0xFE}, {}, {}}},                     // full-width ASCII
    {0xA4, {{0xA1, 0xF3}, {}, {}}},                     // hiragana
    {0xA5, {{0xA1, 0xF6}, {}, {}}},                     // katakana
    {0xA6, {{0xA1, 0xB8}, {0xC1, 0xD8}, {}}},           // Greek
    {0xA7, {{0xA1, 0xC1}, {0xD1, 0xF1}, {}}},           // Cyrillic
    {0xA8, {{0xA1, 0xBA}, {0xC5, 0xE9}, {}}},           // pinyin, bopomofo
    {0xA9, {{0xA4, 0xEF}, {}, {}}},                     // box drawing
};

} // namespace

bool isAssignedGb2312(qint16 code)
{
    const auto word = static_cast<quint16>(code);
    const quint8 row = word >> 8;
    const quint8 cell = word & 0xFF;
    if (cell < 0xA1 || cell > 0xFE)
        return false;
    if (row >= 0xB0 && row <= 0xF7)
        return row != 0xD7 || cell <= 0xF9; // row D7 ends at D7F9
    for (const SymbolRow &symbols : symbolRows) {
        if (symbols.row != row)
            continue;
        for (const Range &range : symbols.ranges) {
            if (range.first != 0 && cell >= range.first && cell <= range.last)
                return true;
        }
    }
    return false;
}

bool isAscii(qint16 code)
{
    return code >= 1 && code <= 0x7F;
}

} // namespace ledglyph::cp936
