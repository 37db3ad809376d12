#pragma once

class QMenuBar;

namespace ledglyph {

// The keys that reach a menu bar in the programs these users know: Alt alone
// selects the first menu (the arrow keys and Enter go on from there) and F10
// opens it. Alt with a menu's marked letter ("文件(&F)") needs nothing more.
void enableMenuBarKeys(QMenuBar &menuBar);

} // namespace ledglyph
