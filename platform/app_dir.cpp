#include "platform/app_dir.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace ledglyph {

namespace {

const QString installedDataDir = QStringLiteral("../share/ledglyph");

// Whether new files can be made in `dir`, found out by making one. The
// folder's permissions do not tell on Windows: QFileInfo::isWritable looks at
// the read-only attribute there, not at the folder's access rules, so a
// portable folder under C:\Program Files would count as writable.
bool acceptsNewFiles(const QString &dir)
{
    QTemporaryFile probe(QDir(dir).filePath(QStringLiteral(".ledglyph-probe-XXXXXX")));
    return probe.open();
}

bool holdsDataFiles(const QDir &dir)
{
    for (const char *name : {"hzk16", "ASC16", "hellp.qvx"}) {
        if (dir.exists(QLatin1String(name)))
            return true;
    }
    return false;
}

} // namespace

QString appDir()
{
    return QDir::toNativeSeparators(QCoreApplication::applicationDirPath());
}

QString pathIn(const QString &dir, const QString &name)
{
    return QDir::toNativeSeparators(QDir(dir).filePath(name));
}

ProgramFolders programFolders(const QString &programDir)
{
    const QDir program(programDir);
    const QDir installed(program.filePath(installedDataDir));
    // Without data files in either place the program folder stays the data
    // folder, so that a missing font library is reported where it belongs.
    const bool portable = holdsDataFiles(program) || !installed.exists();

    ProgramFolders folders;
    folders.data = portable ? programDir : QDir::toNativeSeparators(QDir::cleanPath(installed.absolutePath()));
    folders.outputsInUserFolder = !portable || !acceptsNewFiles(programDir);
    folders.outputs = folders.outputsInUserFolder ? userOutputDir() : programDir;
    return folders;
}

ProgramFolders programFolders()
{
    return programFolders(appDir());
}

QString userOutputDir()
{
    QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (documents.isEmpty())
        documents = QDir::homePath();
    return pathIn(documents, QStringLiteral("ledglyph"));
}

void prepareOutputFolder(const ProgramFolders &folders)
{
    if (folders.outputsInUserFolder)
        QDir().mkpath(folders.outputs);
}

} // namespace ledglyph
