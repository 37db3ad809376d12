#include "tools/fontgen/hex_font_reader.h"

#include "tools/fontgen/font_file.h"

#include <QFile>

#include <cctype>
#include <vector>

namespace ledglyph::fontgen {

namespace {

constexpr int hexRows = 16;
constexpr int hexBoxY = -2; // Unifont: 14 rows above the baseline, 2 below
// The longest line read: "10FFFF:" and 64 hex digits fit with room for
// blanks and CR LF; anything longer is refused before it is held in memory.
constexpr qint64 longestLine = 96;
constexpr uint codePoints = 0x110000;

bool isHexDigits(const QByteArray &text)
{
    for (const char c : text) {
        if (!std::isxdigit(static_cast<unsigned char>(c)))
            return false;
    }
    return !text.isEmpty();
}

struct HexLine {
    char32_t codePoint = 0;
    Glyph glyph;
};

// One line "CODE:BITMAP" as a code point and its glyph, or what is wrong with it.
Result<HexLine> parseHexLine(const QByteArray &line)
{
    const qsizetype colon = line.indexOf(':');
    if (colon < 0)
        return Failure{QStringLiteral("缺少冒号，应为“码位:点阵”")};
    const QByteArray code = line.left(colon);
    const QByteArray bitmap = line.mid(colon + 1);
    if (code.size() < 4 || code.size() > 6 || !isHexDigits(code))
        return Failure{QStringLiteral("码位“%1”不是 4 到 6 位十六进制数字").arg(QString::fromLatin1(code))};
    const uint value = code.toUInt(nullptr, 16);
    if (value > 0x10FFFF)
        return Failure{QStringLiteral("码位 %1 超出 Unicode 范围").arg(QString::fromLatin1(code))};
    if ((bitmap.size() != 32 && bitmap.size() != 64) || !isHexDigits(bitmap))
        return Failure{QStringLiteral("点阵应为 32 位（8×16）或 64 位（16×16）十六进制数字")};
    const QByteArray bytes = QByteArray::fromHex(bitmap);
    const int bytesPerRow = static_cast<int>(bytes.size()) / hexRows;
    HexLine parsed{.codePoint = value, .glyph = {}};
    Glyph &glyph = parsed.glyph;
    glyph.advance = glyph.boxWidth = bytesPerRow * 8;
    glyph.boxHeight = hexRows;
    glyph.boxX = 0;
    glyph.boxY = hexBoxY;
    for (int row = 0; row < hexRows; ++row)
        glyph.rows.append(bytes.mid(row * bytesPerRow, bytesPerRow));
    return parsed;
}

} // namespace

FontReadResult readHexFont(QIODevice &device, const QString &name, const CharacterSet &wanted)
{
    LoadedFont result;
    result.font.boxHeight = hexRows;
    result.font.boxY = hexBoxY;

    std::vector<bool> seen(codePoints);
    int lineNumber = 0;
    int glyphs = 0;
    // Read line by line until the stream ends: a pipe has no size to go by.
    for (;;) {
        const QByteArray raw = device.readLine(longestLine + 2);
        if (raw.isEmpty())
            break;
        ++lineNumber;
        if (raw.size() > longestLine) {
            return Failure{QStringLiteral("%1 第 %2 行：行太长（超过 %3 个字符）").arg(name).arg(lineNumber).arg(longestLine)};
        }
        const QByteArray line = raw.trimmed();
        if (line.isEmpty())
            continue;
        const Result<HexLine> parsed = parseHexLine(line);
        if (!parsed.ok())
            return Failure{QStringLiteral("%1 第 %2 行：%3").arg(name).arg(lineNumber).arg(parsed.error().message)};
        const char32_t codePoint = parsed.value().codePoint;
        if (seen[codePoint]) {
            return Failure{QStringLiteral("%1 第 %2 行：码位 %3 重复出现")
                               .arg(name)
                               .arg(lineNumber)
                               .arg(QString::fromLatin1(line.left(line.indexOf(':'))))};
        }
        seen[codePoint] = true;
        ++glyphs;
        if (wanted.contains(codePoint))
            result.font.glyphs.insert(codePoint, parsed.value().glyph);
    }
    if (glyphs == 0)
        return Failure{QStringLiteral("%1 中没有任何字形").arg(name)};
    return result;
}

FontReadResult readHexFont(const QString &path, const CharacterSet &wanted)
{
    QFile file;
    if (const Status opened = openFontFile(file, path); !opened.ok())
        return opened.error();
    FontReadResult result = readHexFont(static_cast<QIODevice &>(file), path, wanted);
    if (file.error() != QFileDevice::NoError) // a read error ends the stream early
        return Failure{QStringLiteral("读取字体文件 %1 失败：%2").arg(path, file.errorString())};
    return result;
}

} // namespace ledglyph::fontgen
