#pragma once

#include <QRect>
#include <QWidget>

namespace ledglyph::twips {

// The window layouts are given in twips; the design system drew 15 twips per pixel.
constexpr int toPixels(int twips)
{
    return (twips * 2 + 15) / 30; // rounded to the nearest pixel
}

// A control's place inside its container, in twips.
struct Rect {
    int left, top, width, height;
};

constexpr QRect toPixels(const Rect &at)
{
    return QRect(toPixels(at.left), toPixels(at.top), toPixels(at.width), toPixels(at.height));
}

// Places `widget` at a fixed position inside its parent.
inline void place(QWidget *widget, const Rect &at)
{
    widget->setGeometry(toPixels(at));
}

} // namespace ledglyph::twips
