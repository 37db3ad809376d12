#include "platform/app_dir.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace ledglyph {

namespace {

const QString installedDataDir = QStringLiteral("../share/ledglyph");

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
    folders.outputsInUserFolder = !portable || !QFileInfo(programDir).isWritable();
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
