#pragma once

class QWidget;

namespace ledglyph {

// Where the program's windows open, set before they are shown: the first one
// centred on the screen, each later one in the place of the window it replaces,
// so that the main window and the download window take turns in one spot.
// Either way the window is kept inside the screen's free area.

void centreOnScreen(QWidget &window);

// Puts the frame's top-left corner where `replaced` has its frame's.
void takePlaceOf(QWidget &window, const QWidget &replaced);

} // namespace ledglyph
