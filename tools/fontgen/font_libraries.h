#pragma once

// Builds the two font library files the conversion reads, in the layout of
// fonts/font_records.h (hzk16: 87 zones of 94 records of 32 bytes, 16 rows of
// a left and a right byte; ASC16: 256 records of 16 one-byte rows). In both
// the most significant bit of a byte is the leftmost dot.

#include "tools/fontgen/bitmap_font.h"

#include <QByteArray>
#include <QList>

#include <optional>

namespace ledglyph::fontgen {

struct LibraryBuild {
    QByteArray bytes;
    int positions = 0;         // records in the file
    int filled = 0;            // records filled from a glyph of the font
    int withoutCharacter = 0;  // records left blank: no character belongs there
    QList<char32_t> missing;   // characters the font has no glyph for (blank records)
    QList<char32_t> centred;   // hzk16: half-width glyphs centred in their cell
};

// Every GB2312 position (0xA1A1 to 0xF7FE) is mapped to its character with the
// code page 936 codec; a position the codec leaves without a character, or one
// in the user-defined area, gets a zero record, and so does a character the
// font lacks.
LibraryBuild buildHzk16(const BitmapFont &font);

// The character behind each single-byte code: control codes (0–31, 127) and
// the C1 range (0x81–0x9F) have none, so a typed line break converts to blank
// cells; 0x80 is the euro sign as in code page 936; 0xA0–0xFF, which code
// page 936 uses only as lead bytes, carry the Latin-1 characters.
std::optional<char32_t> asc16Character(int code);

LibraryBuild buildAsc16(const BitmapFont &font);

// Every character either library has a record for: what a font is read for.
CharacterSet libraryCharacters();

} // namespace ledglyph::fontgen
