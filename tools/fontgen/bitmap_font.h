#pragma once

#include "platform/result.h"

// A bitmap font as read from a Unifont .hex file or rendered by FreeType at 16
// pixels: glyphs by Unicode code point, each with its own bounding box in the
// font's coordinates (x to the right of the glyph origin, y up from the baseline).

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QSet>
#include <QString>

namespace ledglyph::fontgen {

struct Glyph {
    int advance = 0;   // the glyph's cell width in dots
    int boxWidth = 0;  // size and offset of the bitmap from the origin
    int boxHeight = 0;
    int boxX = 0;
    int boxY = 0;
    QList<QByteArray> rows; // boxHeight rows from the top; MSB of a byte = leftmost dot

    bool dot(int column, int row) const
    {
        const QByteArray &bytes = rows.at(row);
        const int index = column / 8;
        return index < bytes.size()
            && (static_cast<quint8>(bytes.at(index)) & (0x80 >> (column % 8))) != 0;
    }
};

struct BitmapFont {
    int boxHeight = 16; // the rows a line of the font spans, and where its
    int boxY = -2;      // lowest row lies relative to the baseline
    QHash<char32_t, Glyph> glyphs;

    const Glyph *find(char32_t codePoint) const
    {
        const auto it = glyphs.constFind(codePoint);
        return it == glyphs.cend() ? nullptr : &it.value();
    }
};

// The characters a reader is asked for: those the libraries have room for.
using CharacterSet = QSet<char32_t>;

// What a reader gives back: the font, or why the file was refused.
// A font as read, with where its glyphs came from.
struct LoadedFont {
    BitmapFont font;
    int embeddedBitmaps = 0; // scalable fonts: glyphs taken from a 16-pixel bitmap strike
    int renderedOutlines = 0; // scalable fonts: glyphs rendered from their outlines
};

// A font as read, or why it cannot be used.
using FontReadResult = Result<LoadedFont>;

} // namespace ledglyph::fontgen
