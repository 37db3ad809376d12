// The run's outputs: Tempchar.txt, the glyph source text hz.txt, and the
// binary glyph file zimuo.bin. All are built in memory and handed to
// writeOutputFiles together at the end of the run.

#include "core/conversion_run.h"

#include "core/glyph_text.h"
#include "platform/app_dir.h"
#include "platform/code_page_936.h"
#include "platform/date_time_text.h"

namespace ledglyph {

namespace {

constexpr qint16 bytesPerLine = 16;
constexpr qint16 bytesPerCell = 32;

// The date and time as the regional settings write them, unless that text
// cannot be written in code page 936; then the neutral C form.
QString headerDateTime(const QDateTime &now)
{
    const QString regional = dateTimeText(now);
    if (cp936::encode(regional))
        return regional;
    return dateTimeText(now, QLocale::c());
}

} // namespace

void ConversionRun::writeTempChar(const QString &text)
{
    // The run's input was checked, so it encodes.
    const std::optional<QByteArray> bytes = cp936::encode(QString(text + lineEnd));
    Q_ASSERT(bytes.has_value());
    m_outputs.append({tempCharPath, bytes.value_or(QByteArray())});
}

void ConversionRun::WriteGlyphHeader()
{
    m_hzText = glyphHeaderText(tokens, headerDateTime(m_clock.now()));
    m_hzText += tokens.tokLine; // the first data line's prefix (A51 only; empty in C51)
}

void ConversionRun::WriteGlyphText(qint16 cellCount, qint16 charsPerComment)
{
    Q_ASSERT(byteCount == 0 && commentPos == 1);
    Q_ASSERT(qint32{cellCount} * bytesPerCell <= 32767); // a 16-bit count in the board's format
    const qint32 total = qint32{cellCount} * bytesPerCell;
    for (qint32 i = 0; i < total; ++i) {
        if (byteCount == bytesPerLine)
            m_hzText += lineEnd + tokens.tokLine;
        if (byteCount == bytesPerCell) {
            // The comment names the cell's characters; an empty line separates the cells.
            m_hzText += glyphComment(QStringView(srcText).mid(commentPos - 1, charsPerComment), tokens) + lineEnd
                        + lineEnd + tokens.tokLine;
            byteCount = 0;
            commentPos = static_cast<qint16>(commentPos + charsPerComment);
        }
        ++byteCount;
        m_hzText += byteText(static_cast<quint8>(glyphBuffer.at(i)), tokens);
    }
    m_hzText += glyphComment(QStringView(srcText).mid(commentPos - 1, charsPerComment), tokens) + lineEnd;
}

bool ConversionRun::closeGlyphText()
{
    const std::optional<QByteArray> bytes = cp936::encode(m_hzText);
    if (!bytes) {
        // Unreachable with a checked input and an encodable header; kept so
        // that a text that cannot be written is never written partly.
        m_refusal = QStringLiteral("无法把取模结果写成GB2312编码的文字（“%1”）。请检查输入的字符后再取模。")
                        .arg(outPath);
        return false;
    }
    m_outputs.append({outPath, *bytes});
    return true;
}

QString ConversionRun::ShowGlyphText() const
{
    // The output box shows the file exactly: its bytes decoded back.
    return cp936::decode(m_outputs.constLast().bytes);
}

void ConversionRun::SaveGlyphBin()
{
    outPath = pathIn(m_outDir, QStringLiteral("zimuo.bin"));
    m_outputs.append({outPath, glyphBuffer});
}

} // namespace ledglyph
