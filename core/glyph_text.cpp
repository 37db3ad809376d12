#include "core/glyph_text.h"

#include "fonts/glyph_geometry.h"
#include "core/maker_texts.h"

namespace ledglyph {

namespace {

std::array<QString, 256> byteTextTable(const FormatTokens &tokens)
{
    std::array<QString, 256> table;
    for (int value = 0; value < 256; ++value) {
        const QString &prefix = value < 16 ? tokens.tokHex0 : tokens.tokHex;
        table[value] = prefix + QString::number(value, 16).toUpper() + tokens.tokSep;
    }
    return table;
}

} // namespace

const std::array<QString, 256> &byteTexts(OutputFormat format)
{
    static const std::array<QString, 256> c51 = byteTextTable(FormatTokens::forFormat(OutputFormat::C51));
    static const std::array<QString, 256> a51 = byteTextTable(FormatTokens::forFormat(OutputFormat::A51));
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
           + tokens.tokComment + generatorLine + lineEnd
           + tokens.tokComment + downloadLine + lineEnd
           + tokens.tokComment + hostLine + lineEnd
           + lineEnd
           + lineEnd;
}

QString glyphComment(QStringView characters, const FormatTokens &tokens)
{
    QString comment = tokens.tokComment;
    for (qsizetype i = 0; i < characters.size(); ++i) {
        const QChar ch = characters[i];
        comment += ch;
        const bool more = i + 1 < characters.size();
        const bool endsLine = ch == QLatin1Char('\n')
                              || (ch == QLatin1Char('\r') && !(more && characters[i + 1] == QLatin1Char('\n')));
        if (endsLine && more)
            comment += tokens.tokComment;
    }
    return comment;
}

QString glyphSourceText(const GlyphBuffer &glyphs, qint32 cellCount, const QString &text,
                        CellMode mode, OutputFormat format, const QString &dateTime)
{
    Q_ASSERT(cellCount >= 1 && cellCount * cellBytes <= glyphs.size());
    const FormatTokens tokens = FormatTokens::forFormat(format);
    const std::array<QString, 256> &values = byteTexts(format);
    const qsizetype charactersPerCell = mode == CellMode::Cell8x16 ? 2 : 1;
    const auto comment = [&](qint32 cell) {
        return glyphComment(QStringView(text).mid(cell * charactersPerCell, charactersPerCell), tokens);
    };

    QString source = glyphHeaderText(tokens, dateTime) + tokens.tokLine;
    source.reserve(source.size() + cellCount * (cellBytes * values[0xFF].size() + 16));
    const auto *bytes = reinterpret_cast<const quint8 *>(glyphs.constData());
    for (qint32 cell = 0; cell < cellCount; ++cell) {
        if (cell > 0) // the comment of the cell before, and an empty line between cells
            source += comment(cell - 1) + lineEnd + lineEnd + tokens.tokLine;
        for (qint32 i = 0; i < cellBytes; ++i) {
            if (i == cellBytes / 2)
                source += lineEnd + tokens.tokLine;
            source += values[bytes[cell * cellBytes + i]];
        }
    }
    source += comment(cellCount - 1) + lineEnd;
    return source;
}

} // namespace ledglyph
