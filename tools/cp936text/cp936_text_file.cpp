#include "tools/cp936text/cp936_text_file.h"

#include "platform/code_page_936.h"
#include "platform/code_point_text.h"
#include "platform/text_input.h"

#include <QList>

namespace ledglyph {

Result<QByteArray> toCp936WithCrLf(const QString &text)
{
    const QString crLfText = withCrLfLineBreaks(text);
    if (const auto bytes = cp936::encode(crLfText))
        return *bytes;
    // Find the character to name in the message.
    int line = 1;
    for (const uint code : crLfText.toUcs4()) {
        const auto c = static_cast<char32_t>(code);
        const QString one = QString::fromUcs4(&c, 1);
        if (!cp936::encode(one)) {
            return Failure{QStringLiteral("第 %1 行的字符“%2”（%3）不是 ASCII 或 GB2312 字符")
                               .arg(line)
                               .arg(one, codePointText(c))};
        }
        if (c == U'\n')
            ++line;
    }
    return Failure{QStringLiteral("文本无法转换为代码页 936")};
}

} // namespace ledglyph
