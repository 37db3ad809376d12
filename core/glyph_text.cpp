#include "core/glyph_text.h"

#include "core/character_code.h"
#include "core/maker_texts.h"
#include "fonts/glyph_geometry.h"
#include "platform/code_page_936.h"

#include <span>

namespace ledglyph {

namespace {

std::array<QByteArray, 256> byteTextTable(const FormatTokens &tokens)
{
    std::array<QByteArray, 256> table;
    for (int value = 0; value < 256; ++value) {
        const QString &prefix = value < 16 ? tokens.shortValuePrefix : tokens.valuePrefix;
        table[value] = (prefix + QString::number(value, 16).toUpper() + tokens.valueEnd).toLatin1();
    }
    return table;
}

constexpr qint16 lineFeed = 0x0A;
constexpr qint16 carriageReturn = 0x0D;

void appendComment(QByteArray &out, std::span<const qint16> codes, const QByteArray &commentStart)
{
    out += commentStart;
    for (size_t i = 0; i < codes.size(); ++i) {
        appendCodeBytes(out, codes[i]);
        const bool more = i + 1 < codes.size();
        const bool endsLine = codes[i] == lineFeed
                              || (codes[i] == carriageReturn && !(more && codes[i + 1] == lineFeed));
        if (endsLine && more)
            out += commentStart;
    }
}

} // namespace

const std::array<QByteArray, 256> &byteTexts(OutputFormat format)
{
    static const std::array<QByteArray, 256> c51 = byteTextTable(FormatTokens::forFormat(OutputFormat::C51));
    static const std::array<QByteArray, 256> a51 = byteTextTable(FormatTokens::forFormat(OutputFormat::A51));
    return format == OutputFormat::C51 ? c51 : a51;
}

QString glyphHeaderText(const FormatTokens &tokens, const QString &dateTime)
{
    const QString generatorLine = QStringLiteral("本字模是由") + maker::brand
                                  + QStringLiteral(" 点阵取模软件生成");
    const QString downloadLine = QStringLiteral("软件下载地址：") + maker::downloadAddress
                                 + QLatin1Char(' ');
    const QString hostLine = maker::webHost + QLatin1Char(' ') + dateTime;
    return lineEnd
           + tokens.commentStart + generatorLine + lineEnd
           + tokens.commentStart + downloadLine + lineEnd
           + tokens.commentStart + hostLine + lineEnd
           + lineEnd
           + lineEnd;
}

std::optional<QByteArray> glyphSource(const GlyphBuffer &glyphs, qint32 cellCount, const QList<qint16> &codes,
                                      CellMode mode, OutputFormat format, const QString &dateTime)
{
    Q_ASSERT(cellCount >= 1 && cellCount * cellBytes <= glyphs.size());
    const FormatTokens tokens = FormatTokens::forFormat(format);
    const std::optional<QByteArray> header = cp936::encode(glyphHeaderText(tokens, dateTime) + tokens.lineStart);
    if (!header)
        return std::nullopt;
    const QByteArray commentStart = tokens.commentStart.toLatin1();
    const QByteArray lineStart = tokens.lineStart.toLatin1();
    const QByteArray crLf("\r\n");
    const std::array<QByteArray, 256> &values = byteTexts(format);
    const qsizetype charactersPerCell = mode == CellMode::Cell8x16 ? 2 : 1;
    const auto comment = [&](QByteArray &out, qint32 cell) {
        const qsizetype first = cell * charactersPerCell;
        const qsizetype count = qMin(charactersPerCell, codes.size() - first);
        appendComment(out, std::span<const qint16>(codes.constData() + first, static_cast<size_t>(count)), commentStart);
    };

    QByteArray source = *header;
    source.reserve(source.size() + cellCount * (cellBytes * values[0xFF].size() + 24));
    const auto *bytes = reinterpret_cast<const quint8 *>(glyphs.constData());
    for (qint32 cell = 0; cell < cellCount; ++cell) {
        if (cell > 0) { // the comment of the cell before, and an empty line between cells
            comment(source, cell - 1);
            source += crLf;
            source += crLf;
            source += lineStart;
        }
        for (qint32 i = 0; i < cellBytes; ++i) {
            if (i == cellBytes / 2) {
                source += crLf;
                source += lineStart;
            }
            source += values[bytes[cell * cellBytes + i]];
        }
    }
    comment(source, cellCount - 1);
    source += crLf;
    return source;
}

} // namespace ledglyph
