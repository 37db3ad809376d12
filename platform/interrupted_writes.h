#pragma once

// A set write that was cut off (the program killed, the power lost) leaves
// its own files beside the targets (file_set_names.h). The next write into
// the folder, and the window at its start, settle them before anything else:
// - with the write's "replacing" marker, every new file was on the disk
//   before the first target was replaced, so the set is completed: the
//   remaining new files replace their targets, then the kept old files and
//   the marker go;
// - without it, the targets hold a whole set (nothing replaced, all put
//   back, or all replaced and the marker gone first): the new files go, and
//   a kept old file goes back only where its target is missing.
// Names that no write made are never touched.

#include <QString>

namespace ledglyph {

namespace file_system {
class Folder;
}

// The caller holds the folder's lock, so no write is going on there.
void settleInterruptedWrites(const file_system::Folder &folder);

// For a program's start: settles the folder at `path` unless another program
// is writing there right now (that write settles it), without waiting.
void settleInterruptedWrites(const QString &path);

} // namespace ledglyph
