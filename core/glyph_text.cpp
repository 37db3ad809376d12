#include "core/glyph_text.h"

#include "core/maker_texts.h"

namespace ledglyph {

QString byteText(quint8 value, const FormatTokens &tokens)
{
    const QString &prefix = value < 16 ? tokens.tokHex0 : tokens.tokHex;
    return prefix + QString::number(value, 16).toUpper() + tokens.tokSep;
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

} // namespace ledglyph
