// libFuzzer target: the Unifont .hex reader on arbitrary bytes.

#include "tools/fontgen/font_libraries.h"
#include "tools/fontgen/hex_font_reader.h"

#include <QBuffer>

using namespace ledglyph::fontgen;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const CharacterSet wanted = libraryCharacters();
    QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    QBuffer device(&bytes);
    device.open(QIODevice::ReadOnly);
    const FontReadResult result = readHexFont(device, QStringLiteral("fuzz.hex"), wanted);
    if (result.ok())
        (void)buildHzk16(result.value().font), (void)buildAsc16(result.value().font);
    return 0;
}
