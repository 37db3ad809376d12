// The program as a user gets it, without touching the system: installed with
// `cmake --install` into a staged prefix, and unpacked from the .deb with
// `dpkg-deb -x`. Each tree is made read-only and run from another folder: the
// command line finds its font libraries in ../share/ledglyph and writes the
// same bytes as the build's program folder, into the user's documents folder;
// the window starts; every program answers --version. A portable folder that
// cannot be written also sends its outputs to the user's documents folder.

#include "tests/support/test_files.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

using namespace ledglyph::test;

namespace {

const QString epochSetting = QStringLiteral("SOURCE_DATE_EPOCH=1206178215");
const QString text = QStringLiteral("点阵 LED");

} // namespace

class TestInstalledProgram : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString m_userOutputs; // the documents folder's "ledglyph"
    QStringList m_userSettings;

    QString path(const QString &name) const { return m_dir.filePath(name); }

    // Converts with the ledglyph-cli in `folder`, run from another folder,
    // and compares what lands in the documents folder with the build's own
    // outputs. As root, the program runs as nobody: root writes to read-only folders.
    void convertsIntoTheUserFolder(const QString &folder)
    {
        QStringList command{folder + QStringLiteral("/ledglyph-cli"), QStringLiteral("convert"), text};
        if (geteuid() == 0)
            command = QStringList{QStringLiteral("setpriv"), QStringLiteral("--reuid=nobody"),
                                  QStringLiteral("--regid=nogroup"), QStringLiteral("--clear-groups")} + command;
        const ProgramRun run =
            runProgram(command.first(), command.mid(1), m_userSettings + QStringList{epochSetting}, path(QStringLiteral("elsewhere")));
        QCOMPARE(run.err, QString());
        QCOMPARE(run.out, QStringLiteral("转换完成 共： 192个字模\nhz.txt、Tempchar.txt、zimuo.bin 已写入：%1\n")
                              .arg(m_userOutputs));
        QCOMPARE(outputsIn(m_userOutputs), outputsIn(path(QStringLiteral("reference"))));
    }

private slots:
    // Installs and unpacks both trees, lays out a portable folder, makes all
    // three read-only, and writes the reference outputs with the build's own
    // program folder. The home's documents folder has a name of its own, as
    // xdg-user-dirs gives it in a Chinese desktop; as root, the home is nobody's.
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        const QString setUp = QString::fromUtf8(R"sh(set -ex
chmod go+rx .
mkdir -p home/.config elsewhere reference
env "$1" "$2/ledglyph-cli" convert "$3" --out-dir reference
"$4" --install "$6" --prefix "$PWD/staged"
"$5" -G DEB --config "$6/CPackConfig.cmake" -B "$PWD/packages"
dpkg-deb -x packages/*.deb deb
mkdir portable
cp "$2/ledglyph-cli" "$2/hzk16" "$2/ASC16" portable
chmod -R a-w staged deb portable
printf 'XDG_DOCUMENTS_DIR="$HOME/文档"\n' >home/.config/user-dirs.dirs
[ "$(id -u)" != 0 ] || chown -R nobody:nogroup home)sh");
        const ProgramRun run = runProgram(QStringLiteral("sh"),
                                          {QStringLiteral("-c"), setUp, QStringLiteral("sh"), epochSetting,
                                           QStringLiteral(LEDGLYPH_APPDIR), text, QStringLiteral(LEDGLYPH_CMAKE),
                                           QStringLiteral(LEDGLYPH_CPACK), QStringLiteral(LEDGLYPH_BINARY_DIR)},
                                          {}, m_dir.path());
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        const QString home = path(QStringLiteral("home"));
        m_userOutputs = home + QStringLiteral("/文档/ledglyph");
        m_userSettings = {QStringLiteral("HOME=") + home, QStringLiteral("XDG_CONFIG_HOME=") + home + QStringLiteral("/.config"),
                          QStringLiteral("XDG_DOCUMENTS_DIR=") + home + QStringLiteral("/文档"),
                          QStringLiteral("QT_QPA_PLATFORM=offscreen")};
    }

    void init() { QDir(path(QStringLiteral("home/文档"))).removeRecursively(); }

    void cleanupTestCase()
    {
        runProgram(QStringLiteral("chmod"), {QStringLiteral("-R"), QStringLiteral("u+w"), m_dir.path()});
    }

    void installedTree_data()
    {
        QTest::addColumn<QString>("root");
        QTest::newRow("cmake --install") << path(QStringLiteral("staged"));
        QTest::newRow(".deb") << path(QStringLiteral("deb/usr"));
    }

    // The window makes the per-user output folder as it starts and stays up;
    // every program answers --version and has its manual page; the data, menu
    // entry, metadata and icons are in place; the command line converts into
    // that folder.
    void installedTree()
    {
        QFETCH(QString, root);
        QProcess window;
        window.setEnvironment(QProcess::systemEnvironment() + m_userSettings);
        window.setWorkingDirectory(path(QStringLiteral("elsewhere")));
        window.start(root + QStringLiteral("/bin/ledglyph"), {});
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(m_userOutputs).isDir(), 20000);
        QVERIFY2(!window.waitForFinished(1500), window.readAllStandardError().constData());
        window.kill();
        window.waitForFinished();
        init(); // as root the window made the folder root's: the command line starts without one

        const QDir share(root + QStringLiteral("/share"));
        for (const QString program : {"ledglyph", "ledglyph-cli", "ledglyph-board", "ledglyph-fontgen"}) {
            const ProgramRun run = runProgram(root + QStringLiteral("/bin/") + program, {QStringLiteral("--version")}, m_userSettings);
            QCOMPARE(run.exitCode, 0);
            QCOMPARE(run.out, program + QStringLiteral(" " LEDGLYPH_VERSION "\n"));
            QVERIFY2(share.exists(QStringLiteral("man/man1/%1.1.gz").arg(program)), qPrintable(program));
        }
        for (const char *file : {"ledglyph/hzk16", "ledglyph/ASC16", "ledglyph/hellp.qvx",
                                 "applications/test.qorvath.ledglyph.desktop", "metainfo/test.qorvath.ledglyph.metainfo.xml",
                                 "icons/hicolor/scalable/apps/ledglyph.svg", "icons/hicolor/48x48/apps/ledglyph.png"})
            QVERIFY2(share.exists(QLatin1String(file)), file);
        convertsIntoTheUserFolder(root + QStringLiteral("/bin"));
    }

    void readOnlyPortableFolderWritesToTheUserFolder() { convertsIntoTheUserFolder(path(QStringLiteral("portable"))); }
};

QTEST_GUILESS_MAIN(TestInstalledProgram)
#include "test_installed_program.moc"
