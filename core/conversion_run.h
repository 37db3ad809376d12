#pragma once
// PUBLIC API SKETCH — the core helper fills in the private part and the .cpp.

#include "core/glyph_types.h"
#include "platform/clock.h"

#include <QString>

namespace ledglyph {

// What a run reports; the window shows it, the converter prints it.
struct RunOutcome {
    enum class Kind {
        Completed,  // files written; message is the completion text ("转换完成 共： 160个字模")
        EmptyInput, // nothing to convert; message is "你还没有输入要取模的字符！！！"; no file touched
        Refused,    // text, font or output refused; message says what to change; no file touched
    };
    Kind kind = Kind::Refused;
    QString message;
    QString glyphText; // Completed only: hz.txt as decoded text, what the output box shows
};

// Owns the run state and performs conversion runs. Fonts are read from
// fontDir, outputs (hz.txt, Tempchar.txt, zimuo.bin) written to outDir.
class ConversionRun {
public:
    ConversionRun(QString fontDir, QString outDir, const Clock &clock);

    // `text` is the input as typed, line breaks as CR LF.
    RunOutcome run(const QString &text, const ConversionOptions &options);

    // Status text shown while a run is in progress.
    static QString progressText(); // "正在进行转换，请稍等...."

    static quint8 byteRight(quint8 byte1);
};

} // namespace ledglyph
