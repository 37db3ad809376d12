#pragma once

#include <QIcon>

class QPainter;

namespace ledglyph {

// The program's icon: a small LED dot matrix showing 中, drawn at 16 and 32
// pixels. Window icon of every window and the mark in front of the
// status bar's address panel.
QIcon programIcon();

// Paints the icon into the square (0, 0, size, size); also makes the icon
// files of the desktop menu at build time.
void paintProgramIcon(QPainter &painter, int size);

} // namespace ledglyph
