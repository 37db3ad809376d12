#pragma once

#include <QString>

namespace ledglyph {

// The folder that holds the program and its data files, without a trailing separator.
QString appDir();

// `name` inside `dir`, joined with the platform's separator.
QString pathIn(const QString &dir, const QString &name);

// Where the program reads its data files (hzk16, ASC16, hellp.qvx) and writes
// its outputs (hz.txt, Tempchar.txt, zimuo.bin).
struct ProgramFolders {
    QString data;
    QString outputs;
    bool outputsInUserFolder = false; // outputs go to the per-user folder, not beside the program
};

// The folders of the program that lies in `programDir`. A portable folder holds
// its data files beside the program; an installed tree keeps them in
// ../share/ledglyph relative to the program, so it can be moved anywhere.
// Outputs stay beside the program in a portable folder the user can write;
// otherwise they go to userOutputDir().
ProgramFolders programFolders(const QString &programDir);
ProgramFolders programFolders(); // of the running program

// The per-user output folder: the user's documents folder, subfolder "ledglyph".
QString userOutputDir();

// Creates the per-user output folder when the outputs go there. A folder that
// cannot be made shows up as the conversion's own "cannot write" refusal.
void prepareOutputFolder(const ProgramFolders &folders);

} // namespace ledglyph
