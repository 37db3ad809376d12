#pragma once

#include <QWidget>

namespace ledglyph::twips {

// The window layouts are given in twips; the design system drew 15 twips per pixel.
constexpr int toPixels(int twips)
{
    return (twips * 2 + 15) / 30; // rounded to the nearest pixel
}

// Places `widget` at a fixed position inside its parent, all values in twips.
inline void place(QWidget *widget, int left, int top, int width, int height)
{
    widget->setGeometry(toPixels(left), toPixels(top), toPixels(width), toPixels(height));
}

} // namespace ledglyph::twips
