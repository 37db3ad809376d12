#include "tools/fontgen/font_libraries.h"

#include "fonts/font_records.h"
#include "platform/code_page_936.h"
#include "tools/fontgen/glyph_placement.h"

namespace ledglyph::fontgen {

namespace {

bool isPrivateUse(char32_t c)
{
    return (c >= 0xE000 && c <= 0xF8FF) || c >= 0xF0000;
}

// The character at a double-byte position, or nothing when code page 936 has none there.
std::optional<char32_t> gb2312Character(int first, int second)
{
    QByteArray bytes;
    bytes.append(static_cast<char>(first)).append(static_cast<char>(second));
    const QList<uint> text = cp936::decode(bytes).toUcs4();
    if (text.size() != 1 || text.first() == 0xFFFD || isPrivateUse(text.first()))
        return std::nullopt;
    return text.first();
}

// The glyph for a record's character, counting the record in `build` when it
// stays blank (no character belongs there, or the font has no glyph for it).
const Glyph *glyphForRecord(const BitmapFont &font, std::optional<char32_t> character,
                            LibraryBuild &build)
{
    if (!character) {
        ++build.withoutCharacter;
        return nullptr;
    }
    const Glyph *glyph = font.find(*character);
    if (!glyph)
        build.missing.append(*character);
    return glyph;
}

} // namespace

LibraryBuild buildHzk16(const BitmapFont &font)
{
    LibraryBuild build;
    build.positions = fonts::hzZones * fonts::hzPositionsPerZone;
    build.bytes = QByteArray(fonts::hzFileSizeOf87Zones, '\0');
    for (int zone = 0; zone < fonts::hzZones; ++zone) {
        for (int position = 0; position < fonts::hzPositionsPerZone; ++position) {
            const Glyph *glyph =
                glyphForRecord(font, gb2312Character(0xA1 + zone, 0xA1 + position), build);
            if (!glyph)
                continue;
            const CellRows cell = placeGlyph(font, *glyph, 16);
            char *record = build.bytes.data() + fonts::hzRecordOffset(0xA1 + zone, 0xA1 + position);
            for (size_t row = 0; row < cell.size(); ++row) {
                record[2 * row] = static_cast<char>(cell[row] >> 8);
                record[2 * row + 1] = static_cast<char>(cell[row] & 0xFF);
            }
            ++build.filled;
            if (glyph->advance <= 8)
                build.centred.append(*gb2312Character(0xA1 + zone, 0xA1 + position));
        }
    }
    return build;
}

std::optional<char32_t> asc16Character(int code)
{
    if (code < 0x20 || code == 0x7F || (code >= 0x81 && code <= 0x9F))
        return std::nullopt;
    if (code == 0x80)
        return U'\u20AC';
    return static_cast<char32_t>(code);
}

CharacterSet libraryCharacters()
{
    CharacterSet characters;
    for (int zone = 0; zone < fonts::hzZones; ++zone) {
        for (int position = 0; position < fonts::hzPositionsPerZone; ++position) {
            if (const auto c = gb2312Character(0xA1 + zone, 0xA1 + position))
                characters.insert(*c);
        }
    }
    for (int code = 0; code < fonts::ascCodes; ++code) {
        if (const auto c = asc16Character(code))
            characters.insert(*c);
    }
    return characters;
}

LibraryBuild buildAsc16(const BitmapFont &font)
{
    LibraryBuild build;
    build.positions = fonts::ascCodes;
    build.bytes = QByteArray(fonts::ascFileSize, '\0');
    for (int code = 0; code < fonts::ascCodes; ++code) {
        const Glyph *glyph = glyphForRecord(font, asc16Character(code), build);
        if (!glyph)
            continue;
        const CellRows cell = placeGlyph(font, *glyph, 8);
        for (size_t row = 0; row < cell.size(); ++row)
            build.bytes[fonts::ascRecordOffset(static_cast<quint8>(code)) + static_cast<int>(row)] =
                static_cast<char>(cell[row] >> 8);
        ++build.filled;
    }
    return build;
}

} // namespace ledglyph::fontgen
