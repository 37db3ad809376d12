#include "preview/preview_source.h"

namespace ledglyph::preview {

QString previewNote(const PreviewSource &source, const std::optional<QString> &refusal)
{
    if (source.glyphs.isEmpty() && !source.missing.isEmpty())
        return source.missing;
    if (refusal)
        return QStringLiteral("显示板不接受这个文件，保留原来的字模：") + *refusal;
    if (!source.madeWith)
        return QStringLiteral("字模文件不记录取模选项：画面若亮暗颠倒或左右颠倒，是取模时未选“黑白反转”或“左右对调”。");
    // The board lights a dot where its data bit is 0 and shifts each row out
    // from its rightmost dot: it wants both options on.
    const auto [invert, mirror] = *source.madeWith;
    if (!invert && !mirror)
        return QStringLiteral("取模时未选“黑白反转”和“左右对调”：显示板在数据位为 0 时点亮、每行从最右边的点开始送出，"
                              "所以画面亮暗颠倒、字左右颠倒。");
    if (!invert)
        return QStringLiteral("取模时未选“黑白反转”：显示板在数据位为 0 时点亮，所以画面亮暗颠倒。");
    if (!mirror)
        return QStringLiteral("取模时未选“左右对调”：显示板每行从最右边的点开始送出数据，所以字左右颠倒。");
    return {};
}

} // namespace ledglyph::preview
