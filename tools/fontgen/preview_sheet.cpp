#include "tools/fontgen/preview_sheet.h"

#include "fonts/font_records.h"
#include "platform/code_page_936.h"

#include <QBuffer>
#include <QPainter>

namespace ledglyph::fontgen {

namespace {

constexpr int cellHeight = 16;
constexpr int lineGap = 4;   // between lines at 1:1
constexpr int margin = 8;
constexpr int dotPitch = 4;  // enlarged: one dot is 3×3 pixels in a 4×4 square
constexpr int flaggedShown = 16;

const QRgb ink = qRgb(0, 0, 0);
const QRgb paper = qRgb(255, 255, 255);
const QRgb panel = qRgb(24, 24, 24);
const QRgb litDot = qRgb(255, 48, 32);
const QRgb darkDot = qRgb(52, 20, 18);
const QRgb flagColour = qRgb(220, 0, 0);

// One cell of a sample line: a record of one of the libraries.
struct SampleCell {
    const QByteArray *library = nullptr; // nothing: a character neither library holds
    int record = 0;
    bool wide = true;     // hzk16 (16 dots) or ASC16 (8)
    bool flagged = false; // framed in red
    int width() const { return wide ? 16 : 8; }
    bool dot(int x, int row) const
    {
        if (!library)
            return false;
        const int size = wide ? 32 : 16;
        const int byte = record * size + (wide ? 2 * row + x / 8 : row);
        return byte + 1 <= library->size() && (quint8(library->at(byte)) & (0x80 >> (x % 8))) != 0;
    }
};
using SampleLine = QList<SampleCell>;

SampleCell hzk16Cell(const LibraryBuild &hzk16, char32_t c)
{
    const std::optional<QByteArray> bytes = cp936::encode(QString::fromUcs4(&c, 1));
    if (!bytes || bytes->size() != 2)
        return {};
    // Code page 936 gives two bytes only for a GB2312 character, which hzk16 holds.
    return {&hzk16.bytes, fonts::hzRecordIndex(quint8(bytes->at(0)), quint8(bytes->at(1))), true, false};
}

SampleCell asc16Cell(const LibraryBuild &asc16, char32_t c)
{
    for (int code = 0; code < fonts::ascCodes; ++code) {
        if (asc16Character(code) == c)
            return {&asc16.bytes, code, false, false};
    }
    return {};
}

SampleLine textLine(const LibraryBuild &hzk16, const LibraryBuild &asc16, const QString &text)
{
    SampleLine line;
    for (const char32_t c : text.toUcs4())
        line << (c < 0x80 ? asc16Cell(asc16, c) : hzk16Cell(hzk16, c));
    return line;
}

// What the fill report flagged: characters without a glyph, then half-width
// glyphs that were centred.
SampleLine flaggedLine(const LibraryBuild &hzk16, const LibraryBuild &asc16)
{
    SampleLine line;
    for (const char32_t c : hzk16.missing)
        line << hzk16Cell(hzk16, c);
    for (const char32_t c : asc16.missing)
        line << asc16Cell(asc16, c);
    for (const char32_t c : hzk16.centred)
        line << hzk16Cell(hzk16, c);
    line = line.mid(0, flaggedShown);
    for (SampleCell &cell : line)
        cell.flagged = true;
    return line;
}

int lineWidth(const SampleLine &line)
{
    int width = 0;
    for (const SampleCell &cell : line)
        width += cell.width();
    return width;
}

void drawLine(QImage &image, const SampleLine &line, QPoint origin, int scale)
{
    QPainter painter(&image);
    int x0 = origin.x();
    for (const SampleCell &cell : line) {
        for (int row = 0; row < cellHeight; ++row) {
            for (int x = 0; x < cell.width(); ++x) {
                const bool lit = cell.dot(x, row);
                if (scale == 1 && !lit)
                    continue;
                const QRgb colour = scale == 1 ? ink : (lit ? litDot : darkDot);
                const int size = scale == 1 ? 1 : scale - 1;
                painter.fillRect(x0 + x * scale, origin.y() + row * scale, size, size, QColor::fromRgb(colour));
            }
        }
        if (cell.flagged) {
            painter.setPen(QColor::fromRgb(flagColour));
            painter.drawRect(x0, origin.y(), cell.width() * scale - 1, cellHeight * scale - 1);
        }
        x0 += cell.width() * scale;
    }
}

} // namespace

QImage previewSheet(const LibraryBuild &hzk16, const LibraryBuild &asc16)
{
    QList<SampleLine> lines{
        textLine(hzk16, asc16, QStringLiteral("天地玄黄宇宙洪荒日月盈昃辰宿列张")),
        textLine(hzk16, asc16, QStringLiteral("欢迎光临，营业时间：一丨口国永。")),
        textLine(hzk16, asc16, QStringLiteral("0123456789 +-*/=.,:;!?()<>[]")),
        textLine(hzk16, asc16, QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ")),
        textLine(hzk16, asc16, QStringLiteral("abcdefghijklmnopqrstuvwxyz")),
    };
    const SampleLine flagged = flaggedLine(hzk16, asc16);
    if (!flagged.isEmpty())
        lines << flagged;

    int widest = 0;
    for (const SampleLine &line : lines)
        widest = std::max(widest, lineWidth(line));
    const int plainHeight = int(lines.size()) * (cellHeight + lineGap);
    const int bigGap = lineGap * dotPitch;
    const int bigHeight = int(lines.size()) * (cellHeight * dotPitch + bigGap);
    QImage image(widest * dotPitch + 2 * margin, plainHeight + bigHeight + 3 * margin, QImage::Format_RGB32);
    image.fill(paper);
    QPainter(&image).fillRect(0, plainHeight + 2 * margin, image.width(), image.height(), QColor::fromRgb(panel));

    int y = margin;
    for (const SampleLine &line : lines) {
        drawLine(image, line, {margin, y}, 1);
        y += cellHeight + lineGap;
    }
    y += 2 * margin;
    for (const SampleLine &line : lines) {
        drawLine(image, line, {margin, y}, dotPitch);
        y += cellHeight * dotPitch + bigGap;
    }
    return image;
}

QByteArray previewPng(const LibraryBuild &hzk16, const LibraryBuild &asc16)
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    return previewSheet(hzk16, asc16).save(&buffer, "PNG") ? png : QByteArray();
}

} // namespace ledglyph::fontgen
