#pragma once

#include "tools/fontgen/font_libraries.h"

#include <QByteArray>
#include <QImage>

namespace ledglyph::fontgen {

// A sheet of sample characters drawn from the libraries as built: a line of
// common hanzi, shapes that show a font's strokes, the digits and the Latin
// letters, and the characters the fill report flagged (without a glyph: an
// empty red frame; half-width glyphs centred in a 16×16 cell). Every line
// appears twice: at 1:1, black on white, and enlarged as the lit dots of a
// red LED panel.
QImage previewSheet(const LibraryBuild &hzk16, const LibraryBuild &asc16);

// The sheet as PNG bytes; empty if it could not be encoded.
QByteArray previewPng(const LibraryBuild &hzk16, const LibraryBuild &asc16);

} // namespace ledglyph::fontgen
