#include "bench/bench_texts.h"

#include "platform/code_page_936.h"

namespace ledglyph::bench {

namespace {
constexpr int textLength = 1012;
}

QString mixedText1012()
{
    QString text;
    int hanzi = 0;
    for (int i = 0; i < textLength; ++i) {
        if (i % 3 == 2) {
            text += QLatin1Char("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789"[i % 36]);
            continue;
        }
        // Walk through the hanzi zones 0xB0–0xD7, every position of a zone.
        QByteArray code;
        code.append(static_cast<char>(0xB0 + (hanzi / 94) % 40)).append(static_cast<char>(0xA1 + hanzi % 94));
        text += cp936::decode(code);
        ++hanzi;
    }
    return text;
}

QString asciiText1012()
{
    QString text;
    for (int i = 0; i < textLength; ++i)
        text += QLatin1Char(static_cast<char>(0x21 + i % 94));
    return text;
}

} // namespace ledglyph::bench
