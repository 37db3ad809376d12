#include "core/conversion_run.h"

#include "core/banner_text.h"
#include "core/run_refusals.h"
#include "fonts/bit_reversal.h"
#include "core/character_code.h"
#include "platform/app_dir.h"

namespace ledglyph {

namespace {

constexpr qint32 cellSize = 32;

// Cells that hold the text: one per character, or one per pair in 8*16 mode.
qint16 textCells(qint16 textLen, CellMode mode)
{
    return mode == CellMode::Cell8x16 ? static_cast<qint16>((textLen + 1) / 2) : textLen;
}

} // namespace

ConversionRun::ConversionRun(QString fontDir, QString outDir, const Clock &clock)
    : m_fontDir(std::move(fontDir)), m_outDir(std::move(outDir)), m_clock(clock)
{
    tempCharPath = pathIn(m_outDir, QStringLiteral("Tempchar.txt"));
}

QString ConversionRun::progressText()
{
    return QStringLiteral("正在进行转换，请稍等....");
}

QString ConversionRun::emptyInputText()
{
    return QStringLiteral("你还没有输入要取模的字符！！！");
}

quint8 ConversionRun::byteRight(quint8 byte1)
{
    return fonts::reverseBits(byte1);
}

RunOutcome ConversionRun::run(const QString &text, const ConversionOptions &options)
{
    m_options = options;
    RunOutcome outcome = convert(text);
    resetRunState();
    return outcome;
}

RunOutcome ConversionRun::convert(const QString &text)
{
    if (text.isEmpty())
        return {RunOutcome::Kind::EmptyInput, emptyInputText(), {}};
    if (const std::optional<QString> refusal = inputRefusal(text, m_options.cellMode))
        return {RunOutcome::Kind::Refused, *refusal, {}};

    m_outputs.clear();
    m_refusal.clear();
    writeTempChar(text);
    commentPos = 1;
    tokens = FormatTokens::forFormat(m_options.format);
    outPath = pathIn(m_outDir, QStringLiteral("hz.txt"));
    WriteGlyphHeader();

    srcText = text;
    textLen = static_cast<qint16>(text.size());
    // The glyph buffer's extent is a 16-bit quantity; the length limit keeps it so.
    Q_ASSERT((qint32{textLen} + bannerCells) * cellSize <= 32767);
    glyphBuffer = GlyphBuffer((textLen + bannerCells) * cellSize + 1, '\0');

    if (m_options.cellMode == CellMode::Cell8x16) {
        if (!LoadAscPairs())
            return {RunOutcome::Kind::Refused, m_refusal, {}};
    } else {
        for (charIndex = 0; charIndex < textLen; ++charIndex) {
            // Single-byte characters have a positive code, double-byte ones a negative code.
            const bool loaded = characterCode(srcText, charIndex) > 0 ? LoadAscGlyph()
                                                                      : LoadHzGlyph();
            if (!loaded)
                return {RunOutcome::Kind::Refused, m_refusal, {}};
        }
        if (m_options.invert)
            invertGlyphBuffer();
        WriteGlyphText(textLen, 1);
    }
    if (!closeGlyphText())
        return {RunOutcome::Kind::Refused, m_refusal, {}};
    const QString glyphText = ShowGlyphText();

    if (!storeBanner())
        return {RunOutcome::Kind::Refused, m_refusal, {}};
    SaveGlyphBin();

    if (const std::optional<QString> refusal = writeOutputFiles(m_outputs))
        return {RunOutcome::Kind::Refused, *refusal, {}};
    return {RunOutcome::Kind::Completed, completionText(), glyphText};
}

void ConversionRun::resetRunState()
{
    byteCount = 0;
    commentPos = 0;
    cellOffset = 0;
    m_hzText.clear();
    m_outputs.clear();
}

void ConversionRun::invertGlyphBuffer()
{
    // Every byte, the still empty banner cells and the final byte included;
    // the banner is stored over its cells afterwards with its own inversion.
    for (char &byte : glyphBuffer)
        byte = static_cast<char>(255 - static_cast<quint8>(byte));
}

QString ConversionRun::completionText() const
{
    const qint32 n = qint32{textCells(textLen, m_options.cellMode)} * cellSize;
    return QStringLiteral("转换完成") + QStringLiteral(" 共：") + QLatin1Char(' ')
           + QString::number(n) + QStringLiteral("个字模");
}

} // namespace ledglyph
