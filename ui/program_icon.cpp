#include "ui/program_icon.h"

#include <QPainter>
#include <QPixmap>

#include <array>

namespace ledglyph {

namespace {

// 8 × 8 dots, most significant bit leftmost, like a row of a glyph cell.
constexpr std::array<quint8, 8> kDots{0x10, 0xFE, 0x92, 0x92, 0xFE, 0x10, 0x10, 0x10};

QPixmap drawMatrix(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    paintProgramIcon(painter, size);
    return pixmap;
}

} // namespace

void paintProgramIcon(QPainter &painter, int size)
{
    painter.setRenderHint(QPainter::Antialiasing, size >= 24);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(24, 24, 24));
    painter.drawRoundedRect(QRectF(0, 0, size, size), size / 8.0, size / 8.0);

    const qreal cell = size / 8.0;
    const qreal dot = size >= 24 ? cell * 0.8 : cell;
    const qreal inset = (cell - dot) / 2;
    for (int row = 0; row < 8; ++row) {
        for (int column = 0; column < 8; ++column) {
            const bool lit = kDots[row] & (0x80 >> column);
            painter.setBrush(lit ? QColor(255, 40, 30) : QColor(70, 20, 20));
            const QRectF place(column * cell + inset, row * cell + inset, dot, dot);
            if (size >= 24)
                painter.drawEllipse(place);
            else
                painter.drawRect(place);
        }
    }
}

QIcon programIcon()
{
    QIcon icon;
    icon.addPixmap(drawMatrix(16));
    icon.addPixmap(drawMatrix(32));
    return icon;
}

} // namespace ledglyph
