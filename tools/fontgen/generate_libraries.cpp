#include "tools/fontgen/generate_libraries.h"

#include "tools/fontgen/bdf_font_reader.h"
#include "tools/fontgen/fill_report.h"
#include "tools/fontgen/font_libraries.h"
#include "tools/fontgen/hex_font_reader.h"
#include "tools/fontgen/library_file.h"

#include <QDir>

namespace ledglyph::fontgen {

GenerationResult generateLibraries(const FontgenOptions &options)
{
    GenerationResult result;
    const FontReadResult main = options.hexFile.isEmpty() ? readBdfFont(options.bdfFile)
                                                          : readHexFont(options.hexFile);
    if (!main.ok()) {
        result.error = main.error;
        return result;
    }
    FontReadResult ascii;
    if (!options.asciiBdf.isEmpty()) {
        ascii = readBdfFont(options.asciiBdf);
        if (!ascii.ok()) {
            result.error = ascii.error;
            return result;
        }
    }
    const LibraryBuild hzk16 = buildHzk16(main.font);
    const LibraryBuild asc16 = buildAsc16(options.asciiBdf.isEmpty() ? main.font : ascii.font);

    if (!QDir().mkpath(options.outDir)) {
        result.error = QStringLiteral("无法创建输出目录 %1").arg(options.outDir);
        return result;
    }
    const QDir out(options.outDir);
    result.error = writeLibraryFiles({{out.filePath(QStringLiteral("hzk16")), hzk16.bytes},
                                      {out.filePath(QStringLiteral("ASC16")), asc16.bytes}});
    if (!result.error.isEmpty())
        return result;
    result.reports << hzk16Report(hzk16) << asc16Report(asc16);
    return result;
}

} // namespace ledglyph::fontgen
