#include "tools/fontgen/generate_libraries.h"

#include "fonts/font_records.h"

#include "tools/fontgen/fill_report.h"
#include "tools/fontgen/font_file.h"
#include "tools/fontgen/font_libraries.h"
#include "tools/fontgen/freetype_font_reader.h"
#include "tools/fontgen/hex_font_reader.h"
#include "tools/fontgen/library_file.h"
#include "tools/fontgen/preview_sheet.h"

#include <QDir>

namespace ledglyph::fontgen {

namespace {

FontReadResult readFont(const QString &path, int faceIndex, const CharacterSet &wanted)
{
    const FontFileBytes file = readFontFile(path);
    if (!file.error.isEmpty()) {
        FontReadResult result;
        result.error = file.error;
        return result;
    }
    return readFreeTypeFont(file.bytes, faceIndex, wanted, path);
}

QString glyphSourceReport(const FontReadResult &font)
{
    return QStringLiteral("字形：%1 个取自字体内嵌的 16 点阵位图，%2 个由轮廓按 16 点渲染")
        .arg(font.embeddedBitmaps)
        .arg(font.renderedOutlines);
}

} // namespace

GenerationResult generateLibraries(const FontgenOptions &options)
{
    GenerationResult result;
    const CharacterSet wanted = libraryCharacters();
    const FontReadResult main = options.hexFile.isEmpty()
        ? readFont(options.fontFile, options.faceIndex, wanted)
        : readHexFont(options.hexFile, wanted);
    if (!main.ok()) {
        result.error = main.error;
        return result;
    }
    FontReadResult ascii;
    if (!options.asciiFont.isEmpty()) {
        ascii = readFont(options.asciiFont, 0, wanted);
        if (!ascii.ok()) {
            result.error = ascii.error;
            return result;
        }
    }
    const LibraryBuild hzk16 = buildHzk16(main.font);
    const LibraryBuild asc16 = buildAsc16(options.asciiFont.isEmpty() ? main.font : ascii.font);

    // The preview and the libraries are written as one set: a sheet that
    // cannot be written (a mistyped folder) leaves the libraries as they were.
    QList<FileContent> outputs;
    if (!options.previewFile.isEmpty()) {
        const QByteArray png = previewPng(hzk16, asc16);
        if (png.isEmpty()) {
            result.error = QStringLiteral("无法生成预览图 %1").arg(options.previewFile);
            return result;
        }
        outputs << FileContent{options.previewFile, png};
    }
    if (!options.outDir.isEmpty()) {
        if (!QDir().mkpath(options.outDir)) {
            result.error = QStringLiteral("无法创建输出目录 %1").arg(options.outDir);
            return result;
        }
        const QDir out(options.outDir);
        outputs << FileContent{out.filePath(fonts::hzFileName), hzk16.bytes}
                << FileContent{out.filePath(fonts::ascFileName), asc16.bytes};
    }
    result.error = writeLibraryFiles(outputs);
    if (!result.error.isEmpty())
        return result;
    result.reports << hzk16Report(hzk16) << asc16Report(asc16);
    if (main.embeddedBitmaps + main.renderedOutlines > 0)
        result.reports << glyphSourceReport(main);
    return result;
}

} // namespace ledglyph::fontgen
