#include "platform/code_page_936.h"

#include "platform/gb2312_table.h"

#include <algorithm>
#include <array>

namespace ledglyph::cp936 {

namespace {

constexpr char16_t euroSign = 0x20AC;
constexpr quint8 euroByte = 0x80;
constexpr int gb2312Count = 7445;

struct CodeOf {
    char16_t character;
    quint16 code;
};
using CodesByCharacter = std::array<CodeOf, gb2312Count>;

// The table turned around once, sorted by character, for encoding.
const CodesByCharacter &codesByCharacter()
{
    static const CodesByCharacter codes = [] {
        CodesByCharacter sorted{};
        size_t n = 0;
        for (int row = 0; row < gb2312Rows; ++row) {
            for (int cell = 0; cell < gb2312Cells; ++cell) {
                if (const char16_t c = gb2312Characters[row][cell]) {
                    Q_ASSERT(n < sorted.size());
                    sorted[n++] = {c, static_cast<quint16>(((gb2312FirstByte + row) << 8) | (gb2312FirstByte + cell))};
                }
            }
        }
        Q_ASSERT(n == sorted.size());
        std::sort(sorted.begin(), sorted.end(), [](CodeOf a, CodeOf b) { return a.character < b.character; });
        return sorted;
    }();
    return codes;
}

// The code page 936 code of one UTF-16 unit as an unsigned word (a single
// byte below 0x100), or nothing.
std::optional<quint16> wordOf(char16_t c)
{
    if (c < 0x80)
        return c;
    if (c == euroSign)
        return euroByte;
    const CodesByCharacter &codes = codesByCharacter();
    const auto found = std::lower_bound(codes.begin(), codes.end(), c,
                                        [](CodeOf entry, char16_t wanted) { return entry.character < wanted; });
    if (found == codes.end() || found->character != c)
        return std::nullopt;
    return found->code;
}

// A second byte of a code page 936 double-byte sequence, whether or not the
// pair is in the table.
bool isSecondByte(quint8 byte)
{
    return byte >= 0x40 && byte <= 0xFE && byte != 0x7F;
}

} // namespace

std::optional<QByteArray> encode(QStringView text)
{
    QByteArray bytes;
    bytes.reserve(2 * text.size());
    for (const QChar ch : text) {
        const std::optional<quint16> word = wordOf(ch.unicode());
        if (!word)
            return std::nullopt;
        if (*word > 0xFF)
            bytes.append(static_cast<char>(*word >> 8));
        bytes.append(static_cast<char>(*word & 0xFF));
    }
    return bytes;
}

QString decode(QByteArrayView bytes)
{
    QString text;
    text.reserve(bytes.size());
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<quint8>(bytes[i]);
        if (byte < 0x80) {
            text += QLatin1Char(static_cast<char>(byte));
        } else if (byte == euroByte) {
            text += QChar(euroSign);
        } else if (byte < 0xFF && i + 1 < bytes.size() && isSecondByte(static_cast<quint8>(bytes[i + 1]))) {
            const char16_t c = gb2312Character(byte, static_cast<quint8>(bytes[++i]));
            text += c ? QChar(c) : QChar(QChar::ReplacementCharacter);
        } else {
            text += QChar(QChar::ReplacementCharacter);
        }
    }
    return text;
}

std::optional<qint16> charCode(QStringView ch)
{
    if (ch.size() != 1)
        return std::nullopt;
    const std::optional<quint16> word = wordOf(ch[0].unicode());
    if (!word)
        return std::nullopt;
    return static_cast<qint16>(*word);
}

bool isAscii(qint16 code)
{
    return code >= 1 && code <= 0x7F;
}

} // namespace ledglyph::cp936
