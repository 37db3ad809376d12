#pragma once

// Helpers shared by the tests: whole-file reads and writes, the outputs an
// earlier conversion left, and running one of the built programs to collect
// its exit code and what it printed.

#include <QFile>
#include <QString>
#include <QStringList>

namespace ledglyph::test {

inline QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

// The three files a conversion writes.
inline const QStringList outputNames{QStringLiteral("hz.txt"), QStringLiteral("Tempchar.txt"), QStringLiteral("zimuo.bin")};

// The three outputs in `folder`, in the order of outputNames; a missing one is empty.
QList<QByteArray> outputsIn(const QString &folder);

// Puts "earlier NAME" into each file of `names` in `folder`, as an earlier run would have left it.
void writeEarlierOutputs(const QString &folder, const QStringList &names = outputNames);
// The files of `names` in `folder` that no longer hold what writeEarlierOutputs put there.
QStringList changedEarlierOutputs(const QString &folder, const QStringList &names = outputNames);

// A program of the built program folder: "ledglyph-cli", "ledglyph-board", …
QString builtProgram(const QString &name);

struct ProgramRun {
    int exitCode = -1; // -1: did not start, crashed or hung
    QString out;
    QString err;
};

// Runs the program at `path`. `environment` entries ("NAME=value") add or
// replace variables, a bare "NAME" removes one; SOURCE_DATE_EPOCH is unset
// unless given, so that the caller's environment cannot change the outputs.
// `input`, unless null, arrives through a pipe on the program's standard input.
ProgramRun runProgram(const QString &path, const QStringList &arguments, const QStringList &environment = {},
                      const QString &workingDir = {}, const QByteArray &input = {});

} // namespace ledglyph::test
