// libFuzzer target: a text file's bytes as ledglyph-cli reads them (UTF-8,
// line breaks as typed), then the checks a run makes before converting.

#include "platform/text_input.h"
#include "core/run_refusals.h"

using namespace ledglyph;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const Result<QString> read = utf8Text(bytes, QStringLiteral("fuzz.txt"));
    if (!read.ok())
        return 0;
    const QString text = typedTextFromFile(read.value());
    (void)checkInput(text, CellMode::Cell16x16);
    (void)checkInput(text, CellMode::Cell8x16);
    return 0;
}
