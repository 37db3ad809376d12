#include "core/conversion_run.h"

#include "core/conversion.h"
#include "platform/code_page_936.h"

namespace ledglyph {

ConversionRun::ConversionRun(QString fontDir, QString outDir, const Clock &clock)
    : m_fontDir(std::move(fontDir)), m_outDir(std::move(outDir)), m_clock(clock)
{
}

QString ConversionRun::emptyInputText()
{
    return QStringLiteral("你还没有输入要取模的字符！！！");
}

RunOutcome ConversionRun::run(const QString &text, const ConversionOptions &options)
{
    if (text.isEmpty())
        return {.kind = RunOutcome::Kind::EmptyInput, .message = emptyInputText()};
    if (m_fonts)
        m_fonts->refresh();
    else
        m_fonts = fonts::FontLibraries::load(m_fontDir);

    const Result<ConversionProducts> products = convertText(text, options, *m_fonts, m_clock.now());
    if (!products.ok())
        return {.kind = RunOutcome::Kind::Refused, .message = products.error().message};
    const Result<QString> written = writeOutputFiles(outputFiles(products.value(), m_outDir));
    if (!written.ok())
        return {.kind = RunOutcome::Kind::Refused, .message = written.error().message};
    return {.kind = RunOutcome::Kind::Completed,
            .message = completionText(products.value().textGlyphBytes),
            .glyphSource = products.value().glyphSource,
            .glyphFile = products.value().glyphs,
            .notice = written.value()};
}

QString RunOutcome::glyphText() const
{
    return cp936::decode(glyphSource);
}

} // namespace ledglyph
