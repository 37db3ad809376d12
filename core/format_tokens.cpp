#include "core/glyph_types.h"

namespace ledglyph {

FormatTokens FormatTokens::forFormat(OutputFormat format)
{
    if (format == OutputFormat::C51) {
        return FormatTokens{
            .commentStart = QStringLiteral("//"),
            .valueEnd = QStringLiteral(","),
            .lineStart = QString(),
            .valuePrefix = QStringLiteral("0x"),
            .shortValuePrefix = QStringLiteral("0x0"),
        };
    }
    // A51: "DB", two spaces, then values such as 0F5H (the leading 0 keeps the
    // assembler from reading F5H as a name).
    return FormatTokens{
        .commentStart = QStringLiteral(";"),
        .valueEnd = QStringLiteral("H,"),
        .lineStart = QStringLiteral("DB  "),
        .valuePrefix = QStringLiteral("0"),
        .shortValuePrefix = QStringLiteral("00"),
    };
}

} // namespace ledglyph
