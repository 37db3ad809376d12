#pragma once

#include "core/glyph_types.h"
#include "fonts/font_library.h"
#include "platform/clock.h"

#include <QString>

#include <optional>

namespace ledglyph {

// What a run reports; the window shows it, the converter prints it.
struct RunOutcome {
    enum class Kind {
        Completed,  // files written; message is the completion text ("转换完成 共： 160个字模")
        EmptyInput, // nothing to convert; message is "你还没有输入要取模的字符！！！"; no file touched
        Refused,    // text, font or output refused; message says what to change; no file touched
    };
    Kind kind = Kind::Refused;
    QString message{};
    QByteArray glyphSource{}; // Completed only: hz.txt as written
    GlyphBuffer glyphFile{};  // Completed only: zimuo.bin as written
    QString notice{};         // Completed only: files of the write that could not be removed, or empty

    // hz.txt decoded, what the output box shows (decoded on demand: only the
    // window shows it).
    QString glyphText() const;
};

// Conversion runs from the font libraries in fontDir into outDir (hz.txt,
// Tempchar.txt, zimuo.bin). The libraries are read at the first run and kept;
// a later run reads a library again only when its file changed. A run builds
// every output in memory and writes the files only when all of it
// succeeded, all or none, so a refused run leaves every file as it was.
class ConversionRun {
public:
    ConversionRun(QString fontDir, QString outDir, const Clock &clock);

    // `text` is the input as typed, line breaks as CR LF.
    RunOutcome run(const QString &text, const ConversionOptions &options);

    // The message of a run that had nothing to convert.
    static QString emptyInputText(); // "你还没有输入要取模的字符！！！"

private:
    QString m_fontDir;
    QString m_outDir;
    const Clock &m_clock;
    std::optional<fonts::FontLibraries> m_fonts; // loaded at the first run
};

} // namespace ledglyph
