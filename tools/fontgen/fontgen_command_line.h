#pragma once

#include "platform/command_line.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace ledglyph::fontgen {

struct FontgenOptions {
    QString hexFile;    // the main font: a Unifont .hex file …
    QString fontFile;   // … or any font FreeType reads (exactly one of the two)
    int faceIndex = 0;  // the face of a font collection
    QString asciiFont;  // optional separate font for ASC16
    QString outDir;     // where hzk16 and ASC16 go (none: not written)
    QString previewFile; // a PNG sheet of sample characters (none: not drawn)
};

using FontgenCommandLine = ParsedCommandLine<FontgenOptions>;

// ledglyph-fontgen --hex FILE | --font FILE [--face N] [--ascii-font FILE]
//                  [--out-dir DIR] [--preview FILE.png]   (--bdf is --font)
FontgenCommandLine parseFontgenCommandLine(const QStringList &arguments);

} // namespace ledglyph::fontgen
