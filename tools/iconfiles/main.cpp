// ledglyph-iconfiles DIR: writes the program's icon, as the windows draw it, into
// an icon theme folder for the desktop menu: DIR/hicolor/NxN/apps/ledglyph.png
// in the usual sizes and DIR/hicolor/scalable/apps/ledglyph.svg.

#include "platform/exit_code.h"
#include "ui/program_icon.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>
#include <QTextStream>

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
        ledglyph::paintProgramIcon(painter, size);
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
    ledglyph::paintProgramIcon(painter, svgSize);
    return painter.end();
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 2) {
        QTextStream(stderr) << QStringLiteral("用法：ledglyph-iconfiles 目录\n");
        return ledglyph::ExitUsage;
    }
    const QDir theme(QDir(QString::fromLocal8Bit(argv[1])).filePath(QStringLiteral("hicolor")));
    bool ok = writeSvg(theme);
    for (const int size : pngSizes)
        ok = writePng(theme, size) && ok;
    if (!ok) {
        QTextStream(stderr) << QStringLiteral("ledglyph-iconfiles：无法写入 %1\n").arg(theme.path());
        return ledglyph::ExitRefused;
    }
    return ledglyph::ExitSuccess;
}
