#include "tools/fontgen/glyph_placement.h"

namespace ledglyph::fontgen {

namespace {
constexpr int cellHeight = 16;
}

CellRows placeGlyph(const BitmapFont &font, const Glyph &glyph, int cellWidth)
{
    CellRows cell{};
    // Integer halves round towards zero; a negative margin clips both sides.
    const int leftMargin = (cellWidth - glyph.advance) / 2;
    const int topMargin = (cellHeight - font.boxHeight) / 2;
    // The cell row just below the baseline.
    const int baselineRow = topMargin + font.boxHeight + font.boxY;

    // Walk the cell, not the glyph: a glyph however large costs 16 rows of
    // cellWidth dots, and dots outside the cell are never looked at.
    for (int cellRow = 0; cellRow < cellHeight; ++cellRow) {
        const int y = baselineRow - 1 - cellRow; // up from the baseline
        const int row = glyph.boxY + glyph.boxHeight - 1 - y;
        if (row < 0 || row >= glyph.boxHeight)
            continue;
        for (int cellColumn = 0; cellColumn < cellWidth; ++cellColumn) {
            const int column = cellColumn - leftMargin - glyph.boxX;
            if (column < 0 || column >= glyph.boxWidth || !glyph.dot(column, row))
                continue;
            cell[static_cast<size_t>(cellRow)] |= static_cast<quint16>(0x8000u >> cellColumn);
        }
    }
    return cell;
}

} // namespace ledglyph::fontgen
