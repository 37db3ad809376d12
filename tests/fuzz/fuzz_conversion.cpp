// libFuzzer target: a whole conversion of arbitrary text with arbitrary
// options, over the program folder's font libraries: either a refusal or
// outputs of exactly the promised sizes.

#include "core/conversion.h"
#include "fonts/glyph_geometry.h"

#include <QStringDecoder>

#include <cstdlib>

using namespace ledglyph;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const fonts::FontLibraries fonts = fonts::FontLibraries::load(QStringLiteral(LEDGLYPH_APPDIR));
    if (size < 1)
        return 0;
    const ConversionOptions options{
        .format = data[0] & 1 ? OutputFormat::A51 : OutputFormat::C51,
        .cellMode = data[0] & 2 ? CellMode::Cell8x16 : CellMode::Cell16x16,
        .invert = (data[0] & 4) != 0,
        .mirror = (data[0] & 8) != 0,
    };
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder.decode(QByteArrayView(data + 1, static_cast<qsizetype>(size - 1)));
    if (text.isEmpty())
        return 0;
    const Result<ConversionProducts> products = convertText(text, options, fonts, QDateTime(QDate(2008, 3, 22), QTime(21, 5, 9)));
    if (!products.ok())
        return 0;
    // A completed conversion keeps its promises on sizes.
    if (products.value().glyphs.size() != glyphBufferBytes(static_cast<qint32>(text.size()))
        || products.value().glyphSource.isEmpty() || products.value().tempChar.size() < text.size() + 2)
        std::abort();
    return 0;
}
