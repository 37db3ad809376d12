// The run's font lookups: one Chinese or single-byte character per 16×16
// cell, pairs of single-byte characters per cell in 8*16 mode, and the banner.

#include "core/banner_text.h"
#include "core/character_code.h"
#include "core/conversion_run.h"
#include "core/run_refusals.h"
#include "fonts/cell_store.h"
#include "fonts/font_file.h"
#include "fonts/font_records.h"
#include "platform/app_dir.h"

namespace ledglyph {

namespace {

constexpr qint32 cellSize = 32;

fonts::PairSide otherSide(fonts::PairSide side)
{
    return side == fonts::PairSide::Right ? fonts::PairSide::Left : fonts::PairSide::Right;
}

} // namespace

bool ConversionRun::LoadHzGlyph()
{
    fontBytes = QByteArray(fonts::hzRecordSize, '\0');
    fontPath = pathIn(m_fontDir, fonts::hzFileName);
    fonts::FontFile font(fontPath);

    const auto code = static_cast<quint16>(characterCode(srcText, charIndex));
    const auto first = static_cast<quint8>(code >> 8);
    const auto second = static_cast<quint8>(code & 0xFF);
    const qint32 offset = fonts::hzRecordOffset(first, second);
    filePos = offset + 1;
    const fonts::FontRead read = font.readRecord(offset, fonts::hzRecordSize, fontBytes);
    if (!read.ok()) {
        m_refusal = fontRefusal(read, fontPath, textCharacterLabel(charIndex + 1, srcText.mid(charIndex, 1)));
        return false;
    }
    fonts::storeHzCell(glyphBuffer, cellOffset, fontBytes, m_options.mirror);
    cellOffset += cellSize;
    return true;
}

bool ConversionRun::readAscRecord(fonts::FontFile &font, quint8 code, const QString &characterLabel)
{
    // The character's own record, byte offsets 16 × code to 16 × code + 15.
    const qint32 offset = fonts::ascRecordOffset(code);
    filePos = offset + 1;
    const fonts::FontRead read = font.readRecord(offset, fonts::ascRecordSize, fontBytes);
    if (!read.ok()) {
        m_refusal = fontRefusal(read, fontPath, characterLabel);
        return false;
    }
    return true;
}

bool ConversionRun::LoadAscGlyph()
{
    fontBytes = QByteArray(fonts::ascRecordSize, '\0');
    fontPath = pathIn(m_fontDir, fonts::ascFileName);
    fonts::FontFile font(fontPath);

    const auto code = static_cast<quint8>(characterCode(srcText, charIndex));
    if (!readAscRecord(font, code, textCharacterLabel(charIndex + 1, srcText.mid(charIndex, 1))))
        return false;
    // Right bytes stay as the fresh buffer has them: 0.
    fonts::storeAscHalfCell(glyphBuffer, cellOffset, fontBytes, m_options.mirror);
    cellOffset += cellSize;
    return true;
}

bool ConversionRun::LoadAscPairs()
{
    fontBytes = QByteArray(fonts::ascRecordSize, '\0');
    fontPath = pathIn(m_fontDir, fonts::ascFileName);
    fonts::FontFile font(fontPath); // one open for the whole text

    if (!packPairs(font, PairText::Input))
        return false;

    const qint16 cellCount = static_cast<qint16>((textLen + 1) / 2); // ⌈textLen / 2⌉
    WriteGlyphText(cellCount, 2);
    return true;
}

bool ConversionRun::storeBanner()
{
    // The banner starts at a fresh cell; after an odd 8*16 text cellOffset
    // still points at the half-filled last cell.
    if (m_options.cellMode == CellMode::Cell8x16 && textLen % 2 != 0)
        cellOffset += cellSize;

    srcText = bannerText;
    fontBytes = QByteArray(fonts::ascRecordSize, '\0');
    fontPath = pathIn(m_fontDir, fonts::ascFileName);
    fonts::FontFile font(fontPath);

    Q_ASSERT(bannerText.size() == 2 * bannerCells);
    return packPairs(font, PairText::Banner);
}

bool ConversionRun::packPairs(fonts::FontFile &font, PairText which)
{
    // The first character of a pair goes to the right bytes, the second to the
    // left bytes; with the mirror on, this order makes the stored row the
    // 16-dot mirror of the pair read left to right.
    fonts::PairSide pairSide = fonts::PairSide::Right;
    for (charIndex = 0; charIndex < srcText.size(); ++charIndex) {
        const qint16 code = characterCode(srcText, charIndex);
        Q_ASSERT(code > 0 && code <= 255); // double-byte characters are refused in 8*16 mode
        const QString character = srcText.mid(charIndex, 1);
        const QString label = which == PairText::Banner ? bannerCharacterLabel(character)
                                                        : textCharacterLabel(charIndex + 1, character);
        if (!readAscRecord(font, static_cast<quint8>(code), label))
            return false;
        fonts::storePairSide(glyphBuffer, cellOffset, pairSide, fontBytes, m_options.mirror,
                             m_options.invert);
        if (pairSide == fonts::PairSide::Left)
            cellOffset += cellSize;
        pairSide = otherSide(pairSide);
    }
    return true;
}

} // namespace ledglyph
