#include "core/conversion.h"

#include "core/character_code.h"
#include "core/glyph_cells.h"
#include "core/glyph_text.h"
#include "core/run_refusals.h"
#include "fonts/glyph_geometry.h"
#include "platform/app_dir.h"
#include "platform/code_page_936.h"
#include "platform/date_time_text.h"

namespace ledglyph {

namespace {

// The date and time as the regional settings write them, unless that text
// cannot be written in code page 936; then the neutral C form.
QString headerDateTime(const QDateTime &now)
{
    const QString regional = dateTimeText(now);
    if (cp936::encode(regional))
        return regional;
    return dateTimeText(now, QLocale::c());
}

} // namespace

Result<ConversionProducts> convertText(const QString &text, const ConversionOptions &options,
                                       const fonts::FontLibraries &fonts, const QDateTime &now)
{
    Q_ASSERT(!text.isEmpty());
    if (const Status checked = checkInput(text, options.cellMode); !checked.ok())
        return checked.error();

    const QList<qint16> codes = characterCodes(text);
    Result<GlyphBuffer> cells = glyphCells(text, codes, options, fonts);
    if (!cells.ok())
        return cells.error();

    ConversionProducts products;
    products.glyphs = std::move(cells).value();
    const qint32 textCells = textCellCount(static_cast<qint32>(text.size()), options.cellMode);
    products.textGlyphBytes = textCells * cellBytes;
    products.tempChar = codeBytes(codes) + "\r\n";
    std::optional<QByteArray> source =
        glyphSource(products.glyphs, textCells, codes, options.cellMode, options.format, headerDateTime(now));
    if (!source) {
        // Unreachable: the header's date and time were chosen to be encodable.
        return Failure{QStringLiteral("无法把取模结果写成GB2312编码的文字。")};
    }
    products.glyphSource = std::move(*source);
    return products;
}

QList<OutputFile> outputFiles(const ConversionProducts &products, const QString &outDir)
{
    return {
        {pathIn(outDir, QStringLiteral("Tempchar.txt")), products.tempChar},
        {pathIn(outDir, QStringLiteral("hz.txt")), products.glyphSource},
        {pathIn(outDir, QStringLiteral("zimuo.bin")), products.glyphs},
    };
}

QString completionText(qint32 textGlyphBytes)
{
    return QStringLiteral("转换完成 共： %1个字模").arg(textGlyphBytes);
}

} // namespace ledglyph
