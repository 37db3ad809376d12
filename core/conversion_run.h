#pragma once

#include "core/glyph_types.h"
#include "core/output_files.h"
#include "core/run_state.h"
#include "platform/clock.h"

#include <QList>
#include <QString>

namespace ledglyph {

namespace fonts {
class FontFile;
}

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
//
// A run builds every output in memory first and writes the files only when
// all of it succeeded, so a refused run leaves every file as it was.
class ConversionRun : private RunState {
public:
    ConversionRun(QString fontDir, QString outDir, const Clock &clock);

    // `text` is the input as typed, line breaks as CR LF.
    RunOutcome run(const QString &text, const ConversionOptions &options);

    // Status text shown while a run is in progress.
    static QString progressText(); // "正在进行转换，请稍等...."

    // The message of a run that had nothing to convert.
    static QString emptyInputText(); // "你还没有输入要取模的字符！！！"

    static quint8 byteRight(quint8 byte1);

    // The state the last run left behind (read-only).
    const RunState &state() const { return *this; }

private:
    RunOutcome convert(const QString &text);
    void resetRunState();

    // Font lookups: each fills the cell at cellOffset and advances it. They
    // return false, with m_refusal set, when a font record cannot be read.
    bool LoadHzGlyph();
    bool LoadAscGlyph();
    bool LoadAscPairs();
    bool readAscRecord(fonts::FontFile &font, quint8 code, const QString &characterLabel);
    bool storeBanner();
    enum class PairText { Input, Banner };
    bool packPairs(fonts::FontFile &font, PairText which);
    void invertGlyphBuffer();

    // Outputs, built in memory: hz.txt is "open" while m_hzText grows.
    void writeTempChar(const QString &text);
    void WriteGlyphHeader();
    void WriteGlyphText(qint16 cellCount, qint16 charsPerComment);
    bool closeGlyphText();
    QString ShowGlyphText() const;
    void SaveGlyphBin();
    QString completionText() const;

    QString m_fontDir;
    QString m_outDir;
    const Clock &m_clock;
    ConversionOptions m_options;
    QString m_hzText;
    QList<OutputFile> m_outputs; // written together when the run succeeds
    QString m_refusal;
};

} // namespace ledglyph
