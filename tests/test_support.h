#pragma once

// Helpers shared by the tests: whole-file reads and writes, and running one of
// the built programs to collect its exit code and what it printed.

#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

namespace testsupport {

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

struct ProgramRun {
    int exitCode = -1; // -1: did not start, crashed or hung
    QString out;
    QString err;
};

// Runs the program at `path`. `environment` entries ("NAME=value") add or
// replace variables; SOURCE_DATE_EPOCH is unset unless given, so that the
// caller's environment cannot change the outputs.
inline ProgramRun runProgram(const QString &path, const QStringList &arguments,
                             const QStringList &environment = {}, const QString &workingDir = {})
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("SOURCE_DATE_EPOCH"));
    for (const QString &entry : environment) {
        const qsizetype equals = entry.indexOf(QLatin1Char('='));
        env.insert(entry.left(equals), entry.mid(equals + 1));
    }
    QProcess process;
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(workingDir);
    process.start(path, arguments);
    ProgramRun run;
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return run;
    run.exitCode = process.exitCode();
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

} // namespace testsupport
