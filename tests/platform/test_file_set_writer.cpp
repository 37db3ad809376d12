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

} // namespace

class TestFileSetWriter : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;

    QString path(const QString &name) const { return m_dir->filePath(name); }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        for (const QString &name : names)
            writeFile(path(name), "old " + name.toUtf8());
    }

    void allOrNone_data()
    {
        QTest::addColumn<bool>("fullDisk"); // writes beyond 1000 bytes fail while staging (a file size limit)
        QTest::addColumn<int>("blocked");   // the target that turns into a folder after staging, or -1
        QTest::addColumn<bool>("firstIsNew"); // the first target did not exist before
        QTest::newRow("every file replaced") << false << -1 << false;
        QTest::newRow("every file replaced, first new") << false << -1 << true;
        QTest::newRow("full disk") << true << -1 << false;
        // The last target: an old file put back, a new one removed again.
        QTest::newRow("target 2 blocked, first new") << false << 2 << true;
    }

    // Either every file gets its new bytes or every file (and the absence of a
    // new one) stays as it was, and only the set's own files are left.
    void allOrNone()
    {
        QFETCH(bool, fullDisk);
        QFETCH(int, blocked);
        QFETCH(bool, firstIsNew);
        if (firstIsNew)
            QVERIFY(QFile::remove(path(names[0])));
        QList<FileContent> files;
        for (const QString &name : names)
            files << FileContent{path(name), "new " + name.toUtf8() + QByteArray(3000, 'n')};
        FileSetWriter writer(files);
        rlimit saved{};
        getrlimit(RLIMIT_FSIZE, &saved);
        if (fullDisk) { // writes then fail as on a full disk, instead of ending the process
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limited{1000, saved.rlim_max};
            setrlimit(RLIMIT_FSIZE, &limited);
        }
        std::optional<FileSetFailure> failure = writer.stage();
        setrlimit(RLIMIT_FSIZE, &saved);
        if (blocked >= 0) { // a folder that is not empty cannot be replaced by a file
            QVERIFY(QFile::remove(path(names[blocked])));
            QVERIFY(QDir(m_dir->path()).mkpath(names[blocked] + QStringLiteral("/inside")));
        }
        if (!failure)
            failure = writer.replace();

        const bool fails = fullDisk || blocked >= 0;
        QCOMPARE(failure.has_value(), fails);
        if (fails) {
            QCOMPARE(failure->path, path(names[qMax(blocked, 0)]));
            QVERIFY(failure->changed.isEmpty());
        }
        for (int i = 0; i < names.size(); ++i) {
            const QFileInfo file(path(names[i]));
            const QByteArray expected = !fails ? files[i].bytes
                                        : i == blocked ? "a folder"
                                        : i == 0 && firstIsNew ? "nothing"
                                                               : "old " + names[i].toUtf8();
            QCOMPARE(file.isDir() ? "a folder" : file.exists() ? readFile(file.filePath()) : "nothing", expected);
        }
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).size(),
                 names.size() - (fails && firstIsNew ? 1 : 0));
    }
};

QTEST_GUILESS_MAIN(TestFileSetWriter)
#include "test_file_set_writer.moc"
