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

    for (int row = 0; row < glyph.boxHeight; ++row) {
        const int y = glyph.boxY + (glyph.boxHeight - 1 - row); // up from the baseline
        const int cellRow = baselineRow - 1 - y;
        if (cellRow < 0 || cellRow >= cellHeight)
            continue;
        for (int column = 0; column < glyph.boxWidth; ++column) {
            const int cellColumn = leftMargin + glyph.boxX + column;
            if (cellColumn < 0 || cellColumn >= cellWidth || !glyph.dot(column, row))
                continue;
            cell[static_cast<size_t>(cellRow)] |= static_cast<quint16>(0x8000u >> cellColumn);
        }
    }
    return cell;
}

} // namespace ledglyph::fontgen
