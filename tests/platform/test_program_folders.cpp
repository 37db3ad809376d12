// Where the program looks for its data files: beside itself first (a portable
// folder), then in ../share/ledglyph (an installed tree); outputs follow the
// data folder, beside the program only in a portable folder.

#include "platform/app_dir.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace ledglyph;

class TestProgramFolders : public QObject {
    Q_OBJECT

private slots:
    void dataBesideTheProgramFirst_data()
    {
        QTest::addColumn<QString>("besideProgram"); // a data file beside the program, or none
        QTest::addColumn<bool>("shareFolder");      // ../share/ledglyph exists
        QTest::addColumn<bool>("installed");        // data and outputs away from the program
        QTest::newRow("portable") << "hzk16" << false << false;
        QTest::newRow("portable beside a share folder") << "hellp.qvx" << true << false;
        QTest::newRow("installed") << "" << true << true;
        QTest::newRow("no data anywhere") << "" << false << false;
    }
    void dataBesideTheProgramFirst()
    {
        QFETCH(QString, besideProgram);
        QFETCH(bool, shareFolder);
        QFETCH(bool, installed);
        QTemporaryDir root;
        const QString program = root.filePath(QStringLiteral("bin"));
        const QString share = root.filePath(QStringLiteral("share/ledglyph"));
        QVERIFY(QDir().mkpath(program));
        if (shareFolder)
            QVERIFY(QDir().mkpath(share));
        if (!besideProgram.isEmpty()) {
            QFile file(program + QLatin1Char('/') + besideProgram);
            QVERIFY(file.open(QIODevice::WriteOnly));
        }

        const ProgramFolders folders = programFolders(program);
        QCOMPARE(folders.data, installed ? share : program);
        QCOMPARE(folders.outputsInUserFolder, installed);
        QCOMPARE(folders.outputs, installed ? userOutputDir() : program);
    }
};

QTEST_GUILESS_MAIN(TestProgramFolders)
#include "test_program_folders.moc"
