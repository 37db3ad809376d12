#include "tools/fontgen/fontgen_command_line.h"

#include "fonts/font_records.h"

#include <QDir>
#include <QFileInfo>

namespace ledglyph::fontgen {

namespace {

// FreeType keeps the upper bits of a face index for variation instances.
constexpr int maxFaceIndex = 0xFFFF;

#ifdef Q_OS_WIN
constexpr Qt::CaseSensitivity fileNameCase = Qt::CaseInsensitive;
#else
constexpr Qt::CaseSensitivity fileNameCase = Qt::CaseSensitive;
#endif

// Whether the preview sheet would land on one of the libraries written into
// `outDir` (and take its place in the set, or be overwritten by it).
bool isALibrary(const QString &preview, const QString &outDir)
{
    const QFileInfo sheet(preview);
    if (sheet.fileName().compare(fonts::hzFileName, fileNameCase) != 0
        && sheet.fileName().compare(fonts::ascFileName, fileNameCase) != 0)
        return false;
    const QString sheetFolder = QDir::cleanPath(sheet.absolutePath());
    const QString libraryFolder = QDir::cleanPath(QDir(outDir).absolutePath());
    if (sheetFolder.compare(libraryFolder, fileNameCase) == 0)
        return true;
    // One folder under two paths (a link): known once both exist.
    const QString canonical = QFileInfo(sheetFolder).canonicalFilePath();
    return !canonical.isEmpty() && canonical == QFileInfo(libraryFolder).canonicalFilePath();
}

} // namespace

FontgenCommandLine parseFontgenCommandLine(const QStringList &arguments)
{
    ProgramCommandLine commandLine(QStringLiteral("ledglyph-fontgen"), QStringLiteral(
        "由字体生成点阵字库 hzk16（GB2312 16×16）和 ASC16（单字节 8×16）。\n"
        "--font 读取 BDF、PCF（含 .pcf.gz）、TrueType、OpenType 及字体集（.ttc）：\n"
        "有 16 点阵内嵌位图时用位图，否则按 16 点渲染轮廓。"));
    QCommandLineParser &parser = commandLine.parser;
    const QCommandLineOption hex(QStringLiteral("hex"), QStringLiteral("GNU Unifont .hex 字体文件"),
                                 QStringLiteral("FILE"));
    const QCommandLineOption font(QStringList{QStringLiteral("font"), QStringLiteral("bdf")},
                                  QStringLiteral("字体文件（--bdf 与之相同）"), QStringLiteral("FILE"));
    const QCommandLineOption face(QStringLiteral("face"), QStringLiteral("字体集中的第几个字体，从 0 起，默认 0"),
                                  QStringLiteral("N"));
    const QCommandLineOption asciiFont(QStringList{QStringLiteral("ascii-font"), QStringLiteral("ascii-bdf")},
                                       QStringLiteral("另用于 ASC16 的字体文件"), QStringLiteral("FILE"));
    const QCommandLineOption outDir(QStringLiteral("out-dir"), QStringLiteral("写入 hzk16 和 ASC16 的目录"),
                                    QStringLiteral("DIR"));
    const QCommandLineOption preview(QStringLiteral("preview"),
                                     QStringLiteral("把示例字符按生成的字库画成 PNG 图片，供生成前查看"),
                                     QStringLiteral("FILE.png"));
    commandLine.addOptions({hex, font, face, asciiFont, outDir, preview});

    if (const std::optional<CommandLineAnswer> answer = commandLine.parse(arguments))
        return *answer;
    if (!parser.positionalArguments().isEmpty())
        return commandLine.usageError(QStringLiteral("多余的参数：%1").arg(parser.positionalArguments().join(QLatin1Char(' '))));
    if (parser.isSet(hex) == parser.isSet(font))
        return commandLine.usageError(QStringLiteral("请给出 --hex 或 --font 之一（只能一个）。"));
    if (const std::optional<CommandLineAnswer> answer =
            commandLine.givenTwice({&hex, &font, &face, &asciiFont, &outDir, &preview}))
        return *answer;
    if (parser.value(outDir).isEmpty() && parser.value(preview).isEmpty())
        return commandLine.usageError(QStringLiteral("缺少 --out-dir 或 --preview。"));
    if (!parser.value(outDir).isEmpty() && isALibrary(parser.value(preview), parser.value(outDir)))
        return commandLine.usageError(QStringLiteral("--preview 的文件“%1”是要生成的字库文件之一，请另选预览图的文件名。")
                                          .arg(parser.value(preview)));

    FontgenOptions options;
    if (parser.isSet(face)) {
        if (!parser.isSet(font))
            return commandLine.usageError(QStringLiteral("--face 只用于 --font。"));
        bool ok = false;
        options.faceIndex = parser.value(face).toInt(&ok);
        if (!ok || options.faceIndex < 0 || options.faceIndex > maxFaceIndex)
            return commandLine.usageError(QStringLiteral("--face 应为 0 到 %1 的整数。").arg(maxFaceIndex));
    }
    options.hexFile = parser.value(hex);
    options.fontFile = parser.value(font);
    options.asciiFont = parser.value(asciiFont);
    options.outDir = parser.value(outDir);
    options.previewFile = parser.value(preview);
    return options;
}

} // namespace ledglyph::fontgen
