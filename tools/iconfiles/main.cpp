// ledglyph-iconfiles DIR: writes the program's icon, as the windows draw it, into
// an icon theme folder for the desktop menu: DIR/hicolor/NxN/apps/ledglyph.png
// in the usual sizes and DIR/hicolor/scalable/apps/ledglyph.svg.

#include "platform/command_line.h"
#include "platform/console_output.h"
#include "platform/exit_code.h"
#include "platform/name_bytes.h"
#include "ui/program_icon.h"

#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>

using namespace ledglyph;

namespace {

constexpr int pngSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};
constexpr int svgSize = 64;

bool writePng(const QDir &theme, int size)
{
    const QString folder = QStringLiteral("%1x%1/apps").arg(size);
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        paintProgramIcon(painter, size);
    }
    return theme.mkpath(folder) && image.save(theme.filePath(folder + QStringLiteral("/ledglyph.png")), "PNG");
}

bool writeSvg(const QDir &theme)
{
    if (!theme.mkpath(QStringLiteral("scalable/apps")))
        return false;
    QSvgGenerator svg;
    svg.setFileName(theme.filePath(QStringLiteral("scalable/apps/ledglyph.svg")));
    svg.setSize(QSize(svgSize, svgSize));
    svg.setViewBox(QRect(0, 0, svgSize, svgSize));
    svg.setTitle(QStringLiteral("ledglyph"));
    QPainter painter;
    if (!painter.begin(&svg))
        return false;
    paintProgramIcon(painter, svgSize);
    return painter.end();
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    // A build step: it runs under whatever locale the build has.
    ProgramCommandLine commandLine(QStringLiteral("ledglyph-iconfiles"),
                                   QStringLiteral("把程序图标写入图标主题文件夹 DIR/hicolor（PNG 各尺寸与 SVG）。"),
                                   ProgramCommandLine::Version::Offered, ProgramCommandLine::Locale::Any);
    commandLine.parser.addPositionalArgument(QStringLiteral("DIR"), QStringLiteral("图标主题的上级文件夹"));
    commandLine.addOptions({});
    if (const std::optional<CommandLineAnswer> answer = commandLine.parse(commandLineArguments(argc, argv)))
        return printAnswer(*answer);
    const QStringList folders = commandLine.parser.positionalArguments();
    if (folders.size() != 1)
        return printAnswer(commandLine.usageError(QStringLiteral("需要一个参数：图标主题的上级文件夹 DIR。")));
    const QDir theme(QDir(folders.constFirst()).filePath(QStringLiteral("hicolor")));
    bool ok = writeSvg(theme);
    for (const int size : pngSizes)
        ok = writePng(theme, size) && ok;
    if (!ok) {
        console::writeErr(QStringLiteral("ledglyph-iconfiles：无法写入 %1\n").arg(theme.path()));
        return ExitRefused;
    }
    return ExitSuccess;
}
