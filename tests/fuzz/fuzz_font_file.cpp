// libFuzzer target: fonts read through FreeType (BDF, PCF, TrueType, ...) on
// arbitrary bytes, and the libraries built from what they give.

#include "tools/fontgen/font_libraries.h"
#include "tools/fontgen/freetype_font_reader.h"

using namespace ledglyph::fontgen;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const CharacterSet wanted = libraryCharacters();
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const FontReadResult result = readFreeTypeFont(bytes, 0, wanted, QStringLiteral("fuzz.bdf"));
    if (result.ok())
        (void)buildHzk16(result.value().font), (void)buildAsc16(result.value().font);
    return 0;
}
