// The program as a user gets it, without touching the system: installed with
// `cmake --install` into a staged prefix, and unpacked from the .deb with
// `dpkg-deb -x`. Each tree is made read-only and run from another folder: the
// command line finds its font libraries in ../share/ledglyph and writes the
// same bytes as the build's program folder, into the user's documents folder;
// the window starts; every program answers --version. A portable folder that
// cannot be written also sends its outputs to the user's documents folder.

#include "tests/test_support.h"

#include <QDir>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

using testsupport::readFile;
using testsupport::runProgram;

namespace {

const QStringList outputNames{QStringLiteral("hz.txt"), QStringLiteral("Tempchar.txt"), QStringLiteral("zimuo.bin")};
const QString epochSetting = QStringLiteral("SOURCE_DATE_EPOCH=1206178215");
const QString text = QStringLiteral("点阵 LED");
constexpr uid_t nobody = 65534;

int run(const QString &program, const QStringList &arguments)
{
    const testsupport::ProgramRun result = runProgram(program, arguments);
    if (result.exitCode != 0)
        qWarning().noquote() << program << arguments.join(QLatin1Char(' ')) << result.out << result.err;
    return result.exitCode;
}

void removeWriteAccess(const QString &path)
{
    QCOMPARE(run(QStringLiteral("chmod"), {QStringLiteral("-R"), QStringLiteral("a-w"), path}), 0);
}

} // namespace

class TestInstalledProgram : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString m_home;
    QString m_userOutputs;   // the documents folder's "ledglyph"
    QStringList m_userSettings;
    QStringList m_readOnly;

    QString path(const QString &name) const { return m_dir.filePath(name); }

    // Root writes to read-only folders: as root, the program runs as nobody.
    static QString unprivileged(const QString &program, QStringList &arguments)
    {
        if (geteuid() != 0)
            return program;
        arguments = QStringList{QStringLiteral("--reuid=%1").arg(nobody), QStringLiteral("--regid=%1").arg(nobody),
                                QStringLiteral("--clear-groups"), program}
                    + arguments;
        return QStringLiteral("setpriv");
    }

    static void trees()
    {
        QTest::addColumn<QString>("root");
        QTest::newRow("cmake --install") << QStringLiteral("staged");
        QTest::newRow(".deb") << QStringLiteral("deb/usr");
    }

    // The reference: the build's own program folder, told where to write.
    QString referenceOutputs()
    {
        const QString folder = path(QStringLiteral("reference"));
        QDir().mkpath(folder);
        const testsupport::ProgramRun reference =
            runProgram(QStringLiteral(LEDGLYPH_APPDIR "/ledglyph-cli"),
                       {QStringLiteral("convert"), text, QStringLiteral("--out-dir"), folder}, {epochSetting});
        return reference.exitCode == 0 ? folder : QString();
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QVERIFY(QFile::setPermissions(m_dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner
                                                         | QFile::ReadOther | QFile::ExeOther));

        QCOMPARE(run(QStringLiteral(LEDGLYPH_CMAKE),
                     {QStringLiteral("--install"), QStringLiteral(LEDGLYPH_BINARY_DIR), QStringLiteral("--prefix"),
                      path(QStringLiteral("staged"))}),
                 0);
        QCOMPARE(run(QStringLiteral(LEDGLYPH_CPACK),
                     {QStringLiteral("-G"), QStringLiteral("DEB"), QStringLiteral("--config"),
                      QStringLiteral(LEDGLYPH_BINARY_DIR "/CPackConfig.cmake"), QStringLiteral("-B"),
                      path(QStringLiteral("packages"))}),
                 0);
        const QStringList debs = QDir(path(QStringLiteral("packages"))).entryList({QStringLiteral("*.deb")});
        QCOMPARE(debs.size(), 1);
        QCOMPARE(run(QStringLiteral("dpkg-deb"), {QStringLiteral("-x"),
                                                  path(QStringLiteral("packages/")) + debs.first(),
                                                  path(QStringLiteral("deb"))}),
                 0);
        m_readOnly = {path(QStringLiteral("staged")), path(QStringLiteral("deb"))};
        for (const QString &tree : std::as_const(m_readOnly))
            removeWriteAccess(tree);

        // A home whose documents folder has a name of its own, as
        // xdg-user-dirs gives it in a Chinese desktop.
        m_home = path(QStringLiteral("home"));
        QVERIFY(QDir().mkpath(m_home + QStringLiteral("/.config")));
        testsupport::writeFile(m_home + QStringLiteral("/.config/user-dirs.dirs"),
                               QByteArrayLiteral("XDG_DOCUMENTS_DIR=\"$HOME/文档\"\n"));
        m_userOutputs = m_home + QStringLiteral("/文档/ledglyph");
        m_userSettings = {QStringLiteral("HOME=") + m_home, QStringLiteral("XDG_CONFIG_HOME=") + m_home + QStringLiteral("/.config"),
                          QStringLiteral("XDG_DOCUMENTS_DIR=") + m_home + QStringLiteral("/文档"),
                          QStringLiteral("QT_QPA_PLATFORM=offscreen")};
        if (geteuid() == 0)
            QCOMPARE(run(QStringLiteral("chown"), {QStringLiteral("-R"), QStringLiteral("%1:%1").arg(nobody), m_home}), 0);
        QVERIFY(QDir().mkpath(path(QStringLiteral("elsewhere"))));
    }

    void init() { QDir(m_home + QStringLiteral("/文档")).removeRecursively(); }

    void cleanupTestCase()
    {
        for (const QString &tree : std::as_const(m_readOnly))
            run(QStringLiteral("chmod"), {QStringLiteral("-R"), QStringLiteral("u+w"), tree});
    }

    void desktopMenuFiles_data() { trees(); }
    void desktopMenuFiles()
    {
        QFETCH(QString, root);
        const QDir share(path(root) + QStringLiteral("/share"));
        for (const char *file : {"ledglyph/hzk16", "ledglyph/ASC16", "ledglyph/hellp.qvx",
                                 "applications/test.qorvath.ledglyph.desktop",
                                 "metainfo/test.qorvath.ledglyph.metainfo.xml",
                                 "icons/hicolor/scalable/apps/ledglyph.svg", "icons/hicolor/48x48/apps/ledglyph.png",
                                 "man/man1/ledglyph.1.gz", "man/man1/ledglyph-cli.1.gz",
                                 "man/man1/ledglyph-board.1.gz", "man/man1/ledglyph-fontgen.1.gz"})
            QVERIFY2(share.exists(QLatin1String(file)), file);
        QCOMPARE(readFile(share.filePath(QStringLiteral("ledglyph/hzk16"))), readFile(QStringLiteral(LEDGLYPH_APPDIR "/hzk16")));
    }

    void everyProgramAnswersVersion_data()
    {
        QTest::addColumn<QString>("program");
        for (const char *program : {"ledglyph", "ledglyph-cli", "ledglyph-board", "ledglyph-fontgen"})
            QTest::newRow(program) << QString::fromLatin1(program);
    }
    void everyProgramAnswersVersion()
    {
        QFETCH(QString, program);
        const testsupport::ProgramRun run =
            runProgram(path(QStringLiteral("deb/usr/bin/")) + program, {QStringLiteral("--version")}, m_userSettings);
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, program + QStringLiteral(" " LEDGLYPH_VERSION "\n"));
    }

    void convertsFromAnotherFolder_data() { trees(); }
    void convertsFromAnotherFolder()
    {
        QFETCH(QString, root);
        const testsupport::ProgramRun run =
            runProgram(path(root) + QStringLiteral("/bin/ledglyph-cli"), {QStringLiteral("convert"), text},
                       m_userSettings + QStringList{epochSetting}, path(QStringLiteral("elsewhere")));
        QCOMPARE(run.err, QString());
        QCOMPARE(run.out, QStringLiteral("转换完成 共： 192个字模\nhz.txt、Tempchar.txt、zimuo.bin 已写入：%1\n")
                              .arg(m_userOutputs));
        const QString reference = referenceOutputs();
        QVERIFY(!reference.isEmpty());
        for (const QString &name : outputNames) {
            QCOMPARE(readFile(m_userOutputs + QLatin1Char('/') + name), readFile(reference + QLatin1Char('/') + name));
            QVERIFY(!QFile::exists(path(root) + QStringLiteral("/bin/") + name));
        }
    }

    // The window makes the per-user output folder as it starts, and stays up.
    void windowStarts_data() { trees(); }
    void windowStarts()
    {
        QFETCH(QString, root);
        QProcess window;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const QString &setting : std::as_const(m_userSettings))
            environment.insert(setting.section(QLatin1Char('='), 0, 0), setting.section(QLatin1Char('='), 1));
        window.setProcessEnvironment(environment);
        window.setWorkingDirectory(path(QStringLiteral("elsewhere")));
        window.start(path(root) + QStringLiteral("/bin/ledglyph"), {});
        QVERIFY(window.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(m_userOutputs).isDir(), 20000);
        QVERIFY2(!window.waitForFinished(1500), window.readAllStandardError().constData());
        window.kill();
        window.waitForFinished();
    }

    void readOnlyPortableFolderWritesToTheUserFolder()
    {
        if (geteuid() == 0 && QStandardPaths::findExecutable(QStringLiteral("setpriv")).isEmpty())
            QSKIP("running as root without setpriv: a read-only folder stays writable");
        const QString folder = path(QStringLiteral("portable"));
        QVERIFY(QDir().mkpath(folder));
        for (const QString name : {"ledglyph-cli", "hzk16", "ASC16"})
            QVERIFY(QFile::copy(QStringLiteral(LEDGLYPH_APPDIR "/") + name, folder + QLatin1Char('/') + name));
        removeWriteAccess(folder);
        m_readOnly << folder;

        QStringList arguments{QStringLiteral("convert"), text};
        const QString program = unprivileged(folder + QStringLiteral("/ledglyph-cli"), arguments);
        const testsupport::ProgramRun run =
            runProgram(program, arguments, m_userSettings + QStringList{epochSetting}, path(QStringLiteral("elsewhere")));
        QCOMPARE(run.err, QString());
        QVERIFY2(run.out.endsWith(QStringLiteral("已写入：%1\n").arg(m_userOutputs)), qPrintable(run.out));
        const QString reference = referenceOutputs();
        for (const QString &name : outputNames) {
            QCOMPARE(readFile(m_userOutputs + QLatin1Char('/') + name), readFile(reference + QLatin1Char('/') + name));
            QVERIFY(!QFile::exists(folder + QLatin1Char('/') + name));
        }
    }
};

QTEST_GUILESS_MAIN(TestInstalledProgram)
#include "test_installed_program.moc"
