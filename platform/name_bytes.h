#pragma once

// File names and command-line arguments as a POSIX system gives them: bytes,
// as a rule UTF-8 but not always (Latin-1 names, the GBK names of old Windows
// archives, stray bytes). Qt turns bytes that are not UTF-8 into U+FFFD, and
// such a name then no longer reaches its file. Here each such byte becomes a
// lone surrogate U+DC80..U+DCFF instead and turns back into the same byte, so
// a name goes through the program unchanged and prints as it was given.

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace ledglyph {

QString textFromBytes(QByteArrayView bytes);
QByteArray bytesFromText(QStringView text);

// The program's arguments (after QCoreApplication took its own) without loss:
// on POSIX from `argv` as above, on Windows as Qt reads them (UTF-16 already).
QStringList commandLineArguments(int argc, char **argv);

} // namespace ledglyph
