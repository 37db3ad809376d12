#pragma once

// The conversion as a pipeline of plain steps: the text is checked, turned
// into code page 936 codes, then into glyph cells (with the mirror, the
// inversion and the banner), and the cells into the three outputs, all in
// memory. Writing them is the caller's last step (writeOutputFiles).

#include "core/glyph_types.h"
#include "core/output_files.h"
#include "fonts/font_library.h"
#include "platform/result.h"

#include <QDateTime>
#include <QList>
#include <QString>

namespace ledglyph {

// The outputs of one conversion.
struct ConversionProducts {
    QByteArray tempChar;    // Tempchar.txt: the text and a line end, in code page 936
    QByteArray glyphSource; // hz.txt, in code page 936
    GlyphBuffer glyphs;     // zimuo.bin
    qint32 textGlyphBytes = 0; // bytes of the text's own cells
};

// Converts `text` (as typed, line breaks as CR LF, not empty) or fails with
// the refusal that says what to change. `now` dates the header of hz.txt.
Result<ConversionProducts> convertText(const QString &text, const ConversionOptions &options,
                                       const fonts::FontLibraries &fonts, const QDateTime &now);

// The three files of `products` in `outDir`.
QList<OutputFile> outputFiles(const ConversionProducts &products, const QString &outDir);

// "转换完成 共： 160个字模": the run's completion text for `textGlyphBytes`.
QString completionText(qint32 textGlyphBytes);

} // namespace ledglyph
