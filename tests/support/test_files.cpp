#include "tests/support/test_files.h"

#include <QProcess>
#include <QProcessEnvironment>

namespace ledglyph::test {

QList<QByteArray> outputsIn(const QString &folder)
{
    QList<QByteArray> bytes;
    for (const QString &name : outputNames)
        bytes << readFile(folder + QLatin1Char('/') + name);
    return bytes;
}

void writeEarlierOutputs(const QString &folder, const QStringList &names)
{
    for (const QString &name : names)
        writeFile(folder + QLatin1Char('/') + name, "earlier " + name.toUtf8());
}

QStringList changedEarlierOutputs(const QString &folder, const QStringList &names)
{
    QStringList changed;
    for (const QString &name : names) {
        if (readFile(folder + QLatin1Char('/') + name) != "earlier " + name.toUtf8())
            changed << name;
    }
    return changed;
}

QString builtProgram(const QString &name)
{
    return QStringLiteral(LEDGLYPH_APPDIR "/") + name;
}

ProgramRun runProgram(const QString &path, const QStringList &arguments, const QStringList &environment,
                      const QString &workingDir, const QByteArray &input)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("SOURCE_DATE_EPOCH"));
    for (const QString &entry : environment) {
        if (entry.contains(QLatin1Char('=')))
            env.insert(entry.section(QLatin1Char('='), 0, 0), entry.section(QLatin1Char('='), 1));
        else
            env.remove(entry);
    }
    QProcess process;
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(workingDir);
    process.start(path, arguments);
    if (!input.isNull()) {
        process.write(input);
        process.closeWriteChannel();
    }
    ProgramRun run;
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return run;
    run.exitCode = process.exitCode();
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

} // namespace ledglyph::test
