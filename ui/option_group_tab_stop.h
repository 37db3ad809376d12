#pragma once

class QButtonGroup;

namespace ledglyph {

// Makes an option group one stop of the Tab key, as in the classic dialogs:
// Tab and Backtab land on the selected option and pass over the others, which
// the arrow keys and the mouse still reach. Follows the selection as it
// changes. (Qt does the same on its own once the selection changes, but not
// for an option that was selected before its partner existed.)
void makeOneTabStop(QButtonGroup &group);

} // namespace ledglyph
