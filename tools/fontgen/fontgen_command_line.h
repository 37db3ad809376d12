#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace ledglyph::fontgen {

struct FontgenOptions {
    QString hexFile;   // the main font: a Unifont .hex file …
    QString bdfFile;   // … or a BDF font (exactly one of the two)
    QString asciiBdf;  // optional separate BDF font for ASC16
    QString outDir;
};

struct FontgenCommandLine {
    std::optional<FontgenOptions> options; // nothing: see message
    QString message;  // usage error, or the help text or version line when helpRequested
    bool helpRequested = false; // --help or --version
};

// ledglyph-fontgen --hex FILE | --bdf FILE [--ascii-bdf FILE] --out-dir DIR
FontgenCommandLine parseFontgenCommandLine(const QStringList &arguments);

} // namespace ledglyph::fontgen
