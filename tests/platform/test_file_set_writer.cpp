// A set of files is replaced all or none: a write that fails (a full disk)
// or a replacement that fails part way leaves every file as it was and no
// temporary or kept file behind.

#include "platform/file_set_writer.h"
#include "tests/support/test_files.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

using namespace ledglyph;
using namespace ledglyph::test;

namespace {

const QStringList names{QStringLiteral("a.txt"), QStringLiteral("b.bin"), QStringLiteral("c.txt")};

// Writes beyond `bytes` fail as on a full disk while an instance lives.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        std::signal(SIGXFSZ, SIG_IGN); // fail the write instead of ending the process
        getrlimit(RLIMIT_FSIZE, &m_saved);
        rlimit limited = m_saved;
        limited.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &m_saved); }

private:
    rlimit m_saved{};
};

} // namespace

class TestFileSetWriter : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;

    QString path(const QString &name) const { return m_dir->filePath(name); }
    QList<FileContent> newContents() const
    {
        QList<FileContent> files;
        for (const QString &name : names)
            files << FileContent{path(name), QByteArray(3000, 'n') + name.toUtf8()};
        return files;
    }
    // Only the set's own files are in the folder (besides `extra` entries).
    void verifyNothingLeftBehind(int extra = 0)
    {
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).size(),
                 names.size() + extra);
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        for (const QString &name : names)
            writeFile(path(name), "old " + name.toUtf8());
    }

    void replacesEveryFile()
    {
        QCOMPARE(writeFileSet(newContents()), std::nullopt);
        for (const FileContent &file : newContents())
            QCOMPARE(readFile(file.path), file.bytes);
        verifyNothingLeftBehind();
    }

    void fullDiskChangesNothing()
    {
        std::optional<FileSetFailure> failure;
        {
            const FileSizeLimit limit(1000);
            failure = writeFileSet(newContents());
        }
        QVERIFY(failure.has_value());
        QCOMPARE(failure->path, path(names[0]));
        QVERIFY(failure->changed.isEmpty());
        for (const QString &name : names)
            QCOMPARE(readFile(path(name)), "old " + name.toUtf8());
        verifyNothingLeftBehind();
    }

    void failedReplacementPutsBackTheOthers_data()
    {
        QTest::addColumn<int>("blocked");  // the target that turns into a folder after staging
        QTest::addColumn<bool>("firstIsNew"); // the first target did not exist before
        for (int blocked = 0; blocked < 3; ++blocked)
            for (const bool firstIsNew : {false, true})
                if (!(firstIsNew && blocked == 0))
                    QTest::addRow("target %d blocked%s", blocked, firstIsNew ? ", first new" : "") << blocked << firstIsNew;
    }

    void failedReplacementPutsBackTheOthers()
    {
        QFETCH(int, blocked);
        QFETCH(bool, firstIsNew);
        if (firstIsNew)
            QVERIFY(QFile::remove(path(names[0])));
        FileSetWriter writer(newContents());
        QCOMPARE(writer.stage(), std::nullopt);
        // A folder that is not empty cannot be replaced by a file.
        QVERIFY(QFile::remove(path(names[blocked])));
        QVERIFY(QDir(m_dir->path()).mkpath(names[blocked] + QStringLiteral("/inside")));

        const std::optional<FileSetFailure> failure = writer.replace();
        QVERIFY(failure.has_value());
        QCOMPARE(failure->path, path(names[blocked]));
        QVERIFY(failure->changed.isEmpty());
        for (int i = 0; i < names.size(); ++i) {
            if (i == blocked)
                QVERIFY(QFileInfo(path(names[i])).isDir());
            else if (i == 0 && firstIsNew)
                QVERIFY(!QFile::exists(path(names[i])));
            else
                QCOMPARE(readFile(path(names[i])), "old " + names[i].toUtf8());
        }
        verifyNothingLeftBehind(firstIsNew ? -1 : 0);
    }
};

QTEST_GUILESS_MAIN(TestFileSetWriter)
#include "test_file_set_writer.moc"
