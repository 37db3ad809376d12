#pragma once

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

struct FontgenCommandLine {
    std::optional<FontgenOptions> options; // nothing: see message
    QString message;  // usage error, or the help text or version line when helpRequested
    bool helpRequested = false; // --help or --version
};

// ledglyph-fontgen --hex FILE | --font FILE [--face N] [--ascii-font FILE]
//                  [--out-dir DIR] [--preview FILE.png]   (--bdf is --font)
FontgenCommandLine parseFontgenCommandLine(const QStringList &arguments);

} // namespace ledglyph::fontgen
