#pragma once

// What a preview plays, as the window that opens it knows it, and the one
// line under the matrix that says what the board makes of it.

#include "protocol/wire_format.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace ledglyph::preview {

struct PreviewSource {
    QByteArray glyphs{}; // the glyph file as the board would receive it; empty when there is none
    int speedCode = LEDGLYPH_SPEED_MIN;
    // The conversion's invert and mirror options, when the opener knows them
    // (a glyph file keeps no record of them).
    struct Options {
        bool invert = true;
        bool mirror = true;
    };
    std::optional<Options> madeWith{};
    QString missing{}; // no glyphs: why not, shown as the note
};

// The preview window's title, and why an opener has nothing to play.
inline const QString windowTitle = QStringLiteral("显示预览");
inline const QString noConversionYet = QStringLiteral("还没有取模：请先输入字符，再点击“取 模”。");
inline const QString noFileOpened = QStringLiteral("还没有打开字模文件：请先点击“打开文件”。");

// Why the board would show nothing, or why it shows the text negative or
// mirrored; empty when it shows the text as it should. `refusal` is the
// board's reason for refusing the glyphs, if it does.
QString previewNote(const PreviewSource &source, const std::optional<QString> &refusal);

} // namespace ledglyph::preview
