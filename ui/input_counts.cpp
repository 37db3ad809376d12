#include "ui/input_counts.h"

#include "platform/code_page_936.h"

#include <optional>

namespace ledglyph {

namespace {

// Calls `visit` with the code of each character (nothing when it has none).
template<typename Visit>
void forEachCode(QStringView text, Visit visit)
{
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype length =
            text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate() ? 2 : 1;
        if (!visit(cp936::charCode(text.sliced(i, length))))
            return;
        i += length;
    }
}

} // namespace

InputCounts countInput(QStringView text)
{
    InputCounts counts;
    forEachCode(text, [&counts](std::optional<qint16> code) {
        if (code && *code > 0)
            ++counts.singleByte;
        else
            ++counts.doubleByte;
        return true;
    });
    return counts;
}

QString countsText(const InputCounts &counts)
{
    return QStringLiteral(" %1个字符 %2个汉字").arg(counts.singleByte).arg(counts.doubleByte);
}

bool hasCharacterRefusedIn8x16(QStringView text)
{
    bool refused = false;
    forEachCode(text, [&refused](std::optional<qint16> code) {
        refused = !code || *code < 0;
        return !refused;
    });
    return refused;
}

} // namespace ledglyph
