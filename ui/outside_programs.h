#pragma once

#include <QString>

namespace ledglyph {

class Launcher;
class MessageBox;

// The browser for the maker's forum and the file manager for the output
// folder. When neither can be started, a message says so and gives the
// address or the folder to copy; otherwise only a line on standard error
// would tell, which nobody sees.
void openForum(Launcher &launcher, MessageBox &messageBox);
void openOutputFolder(Launcher &launcher, MessageBox &messageBox, const QString &folder);

} // namespace ledglyph
