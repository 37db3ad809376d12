#include "core/glyph_types.h"

namespace ledglyph {

FormatTokens FormatTokens::forFormat(OutputFormat format)
{
    if (format == OutputFormat::C51) {
        return FormatTokens{
            .tokComment = QStringLiteral("//"),
            .tokSep = QStringLiteral(","),
            .tokLine = QString(),
            .tokHex = QStringLiteral("0x"),
            .tokHex0 = QStringLiteral("0x0"),
        };
    }
    // A51: "DB", two spaces, then values such as 0F5H (the leading 0 keeps the
    // assembler from reading F5H as a name).
    return FormatTokens{
        .tokComment = QStringLiteral(";"),
        .tokSep = QStringLiteral("H,"),
        .tokLine = QStringLiteral("DB  "),
        .tokHex = QStringLiteral("0"),
        .tokHex0 = QStringLiteral("00"),
    };
}

} // namespace ledglyph
