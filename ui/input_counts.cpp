#include "ui/input_counts.h"

#include "platform/code_page_936.h"

namespace ledglyph {

namespace {

// Calls `visit` with each character and its code (nothing when it has none)
// until `visit` returns false.
template<typename Visit>
void forEachCode(QStringView text, Visit visit)
{
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype length =
            text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate() ? 2 : 1;
        if (!visit(text.sliced(i, length), cp936::charCode(text.sliced(i, length))))
            return;
        i += length;
    }
}

} // namespace

InputCounts countInput(QStringView text)
{
    InputCounts counts;
    forEachCode(text, [&counts](QStringView, std::optional<qint16> code) {
        if (!code || *code > 0)
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

std::optional<RefusedIn8x16> firstRefusedIn8x16(QStringView text)
{
    std::optional<RefusedIn8x16> refused;
    int position = 0;
    forEachCode(text, [&refused, &position](QStringView ch, std::optional<qint16> code) {
        ++position;
        if (!code || *code < 0)
            refused = RefusedIn8x16{.doubleByte = code.has_value(), .position = position, .character = ch.toString()};
        return !refused;
    });
    return refused;
}

} // namespace ledglyph
