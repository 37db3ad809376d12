#include "core/glyph_cells.h"

#include "core/banner_text.h"
#include "core/run_refusals.h"
#include "fonts/cell_store.h"
#include "fonts/font_records.h"
#include "fonts/glyph_geometry.h"

#include <functional>

namespace ledglyph {

namespace {

using CharacterLabel = std::function<QString(qsizetype index)>;

QString textLabel(const QString &text, qsizetype i)
{
    return textCharacterLabel(static_cast<int>(i) + 1, QStringView(text).sliced(i, 1));
}

Result<QByteArrayView, fonts::FontRead> ascRecord(const fonts::FontLibrary &asc, qint16 code)
{
    return asc.record(fonts::ascRecordOffset(static_cast<quint8>(code)), fonts::ascRecordSize);
}

Result<QByteArrayView, fonts::FontRead> hzRecord(const fonts::FontLibrary &hz, qint16 code)
{
    const auto word = static_cast<quint16>(code);
    return hz.record(fonts::hzRecordOffset(static_cast<quint8>(word >> 8), static_cast<quint8>(word & 0xFF)),
                     fonts::hzRecordSize);
}

Status storeFullCells(GlyphBuffer &glyphs, const QString &text, const QList<qint16> &codes,
                                      bool mirror, const fonts::FontLibraries &fonts)
{
    for (qsizetype i = 0; i < codes.size(); ++i) {
        const qint32 cellOffset = static_cast<qint32>(i) * cellBytes;
        const bool singleByte = codes[i] > 0;
        const fonts::FontLibrary &library = singleByte ? fonts.asc : fonts.hz;
        const Result<QByteArrayView, fonts::FontRead> record =
            singleByte ? ascRecord(library, codes[i]) : hzRecord(library, codes[i]);
        if (!record.ok())
            return Failure{fontRefusal(record.error(), library.path(), textLabel(text, i))};
        if (singleByte)
            fonts::storeAscHalfCell(glyphs, cellOffset, record.value(), mirror);
        else
            fonts::storeHzCell(glyphs, cellOffset, record.value(), mirror);
    }
    return {};
}

// Single-byte characters two to a cell from `firstCell` on: the first of a
// pair in the right bytes, the second in the left; with the mirror on, this
// order makes the stored row the 16-dot mirror of the pair read left to right.
Status storePairs(GlyphBuffer &glyphs, qint32 firstCell, const QList<qint16> &codes,
                                  const CharacterLabel &label, const ConversionOptions &options,
                                  const fonts::FontLibrary &asc)
{
    for (qsizetype i = 0; i < codes.size(); ++i) {
        const Result<QByteArrayView, fonts::FontRead> record = ascRecord(asc, codes[i]);
        if (!record.ok())
            return Failure{fontRefusal(record.error(), asc.path(), label(i))};
        const qint32 cellOffset = (firstCell + static_cast<qint32>(i / 2)) * cellBytes;
        const fonts::PairSide side = i % 2 == 0 ? fonts::PairSide::Right : fonts::PairSide::Left;
        fonts::storePairSide(glyphs, cellOffset, side, record.value(), options.mirror, options.invert);
    }
    return {};
}

const QList<qint16> &bannerCodes()
{
    static const QList<qint16> codes = [] {
        QList<qint16> result;
        for (const QChar ch : bannerText)
            result.append(static_cast<qint16>(ch.unicode())); // ASCII
        return result;
    }();
    return codes;
}

} // namespace

qint32 textCellCount(qint32 textLength, CellMode mode)
{
    return mode == CellMode::Cell8x16 ? (textLength + 1) / 2 : textLength;
}

Result<GlyphBuffer> glyphCells(const QString &text, const QList<qint16> &codes,
                               const ConversionOptions &options, const fonts::FontLibraries &fonts)
{
    Q_ASSERT(codes.size() == text.size());
    const qint32 textCells = textCellCount(static_cast<qint32>(text.size()), options.cellMode);
    GlyphBuffer glyphs(glyphBufferBytes(static_cast<qint32>(text.size())), '\0');

    Status stored;
    if (options.cellMode == CellMode::Cell8x16) {
        stored = storePairs(glyphs, 0, codes,
                             [&](qsizetype i) { return textLabel(text, i); },
                             options, fonts.asc);
    } else {
        stored = storeFullCells(glyphs, text, codes, options.mirror, fonts);
        if (stored.ok() && options.invert) {
            for (char &byte : glyphs)
                byte = static_cast<char>(~byte);
        }
    }
    if (stored.ok()) {
        stored = storePairs(glyphs, textCells, bannerCodes(),
                             [](qsizetype i) { return bannerCharacterLabel(QStringView(bannerText).sliced(i, 1)); },
                             options, fonts.asc);
    }
    if (!stored.ok())
        return stored.error();
    return glyphs;
}

} // namespace ledglyph
