#pragma once

// A bitmap font as read from a Unifont .hex or a BDF file: glyphs by Unicode
// code point, each with its own bounding box in the font's coordinates
// (x to the right of the glyph origin, y up from the baseline).

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>

namespace ledglyph::fontgen {

struct Glyph {
    int advance = 0;   // the glyph's cell width in dots (BDF DWIDTH)
    int boxWidth = 0;  // BBX: size and offset of the bitmap from the origin
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
    int boxHeight = 16; // FONTBOUNDINGBOX height and baseline offset
    int boxY = -2;
    QHash<char32_t, Glyph> glyphs;

    const Glyph *find(char32_t codePoint) const
    {
        const auto it = glyphs.constFind(codePoint);
        return it == glyphs.cend() ? nullptr : &it.value();
    }
};

// What a reader gives back: the font, or why the file was refused.
struct FontReadResult {
    BitmapFont font;
    QString error; // empty when the file was read
    bool ok() const { return error.isEmpty(); }
};

} // namespace ledglyph::fontgen
