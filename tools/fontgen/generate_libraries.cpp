#include "tools/fontgen/generate_libraries.h"

#include "fonts/font_records.h"
#include "platform/file_system.h"

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
    const Result<FontBytes> file = readFontFile(path);
    if (!file.ok())
        return file.error();
    return readFreeTypeFont(file.value().bytes, faceIndex, wanted, path);
}

QString glyphSourceReport(const LoadedFont &font)
{
    return QStringLiteral("字形：%1 个取自字体内嵌的 16 点阵位图，%2 个由轮廓按 16 点渲染")
        .arg(font.embeddedBitmaps)
        .arg(font.renderedOutlines);
}

} // namespace

Result<QStringList> generateLibraries(const FontgenOptions &options)
{
    const CharacterSet wanted = libraryCharacters();
    const FontReadResult mainRead = options.hexFile.isEmpty()
        ? readFont(options.fontFile, options.faceIndex, wanted)
        : readHexFont(options.hexFile, wanted);
    if (!mainRead.ok())
        return mainRead.error();
    const LoadedFont &main = mainRead.value();
    std::optional<FontReadResult> asciiRead;
    if (!options.asciiFont.isEmpty()) {
        asciiRead = readFont(options.asciiFont, 0, wanted);
        if (!asciiRead->ok())
            return asciiRead->error();
    }
    const LibraryBuild hzk16 = buildHzk16(main.font);
    const LibraryBuild asc16 = buildAsc16(asciiRead ? asciiRead->value().font : main.font);

    // The preview and the libraries are written as one set: a sheet that
    // cannot be written (a mistyped folder) leaves the libraries as they were.
    QList<FileContent> outputs;
    if (!options.previewFile.isEmpty()) {
        const QByteArray png = previewPng(hzk16, asc16);
        if (png.isEmpty())
            return Failure{QStringLiteral("无法生成预览图 %1").arg(options.previewFile)};
        outputs << FileContent{options.previewFile, png};
    }
    if (!options.outDir.isEmpty()) {
        if (const file_system::Outcome failed = file_system::makePath(options.outDir))
            return Failure{QStringLiteral("无法创建输出目录 %1：%2").arg(options.outDir, *failed)};
        const QDir out(options.outDir);
        outputs << FileContent{out.filePath(fonts::hzFileName), hzk16.bytes}
                << FileContent{out.filePath(fonts::ascFileName), asc16.bytes};
    }
    const Result<QStringList> written = writeLibraryFiles(outputs);
    if (!written.ok())
        return written.error();
    QStringList reports{hzk16Report(hzk16), asc16Report(asc16)};
    if (main.embeddedBitmaps + main.renderedOutlines > 0)
        reports << glyphSourceReport(main);
    if (!written.value().isEmpty()) {
        reports << QStringLiteral("写入时留下的以下文件未能删除，可以手动删除：%1")
                       .arg(written.value().join(QStringLiteral("、")));
    }
    return reports;
}

} // namespace ledglyph::fontgen
