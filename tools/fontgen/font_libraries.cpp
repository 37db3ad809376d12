#include "tools/fontgen/font_libraries.h"

#include "fonts/font_records.h"
#include "platform/gb2312_table.h"
#include "tools/fontgen/glyph_placement.h"

namespace ledglyph::fontgen {

namespace {

// The character at a double-byte position, or nothing where GB2312 assigns
// none (code page 936's own additions and private-use characters there have
// no place in the library).
std::optional<char32_t> gb2312Character(int first, int second)
{
    if (const char16_t c = cp936::gb2312Character(static_cast<quint8>(first), static_cast<quint8>(second)))
        return c;
    return std::nullopt;
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
