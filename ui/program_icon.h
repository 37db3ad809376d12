#pragma once

#include <QIcon>

namespace ledglyph {

// The program's icon: a small LED dot matrix showing 中, drawn at 16 and 32
// pixels. Window icon of every window and the mark in front of the
// status bar's address panel.
QIcon programIcon();

} // namespace ledglyph
