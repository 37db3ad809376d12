// The download end to end: the window (offscreen, scripted boxes) on one end
// of a socat pseudo-terminal pair, the board simulator ledglyph-board on the
// other, and a zimuo.bin made by the converter travelling between them. Also
// the serial adapter and the simulator's checks on the same kind of line.

#include "core/conversion_run.h"
#include "download/download_window.h"
#include "download_fakes.h"
#include "platform/serial/ms_comm1.h"
#include "socat_pair.h"

#include <QComboBox>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace ledglyph;
using namespace ledglyph::testing;

namespace {

class NullLauncher final : public Launcher {
public:
    void openAddress(const QString &) override {}
};

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class DownloadEndToEndTest : public QObject {
    Q_OBJECT

private slots:
    void glyphFileReachesTheBoard()
    {
        QTemporaryDir dir;
        SocatPair line;
        QVERIFY2(line.start(dir.path()), "socat is needed: apt-get install socat");

        // zimuo.bin of five characters from the converter, with the program's own fonts.
        FixedClock clock(QDateTime(QDate(2008, 3, 22), QTime(21, 5, 33)));
        ConversionRun conversion(QStringLiteral(LEDGLYPH_APPDIR), dir.path(), clock);
        const RunOutcome outcome = conversion.run(QStringLiteral("点阵ABC"), ConversionOptions{});
        QCOMPARE(outcome.kind, RunOutcome::Kind::Completed);
        const QString zimuo = dir.filePath(QStringLiteral("zimuo.bin"));
        const QByteArray glyphs = readAll(zimuo);
        QCOMPARE(glyphs.size(), 32 * 5 + 353);

        BoardProcess board;
        const QString received = dir.filePath(QStringLiteral("received.bin"));
        QVERIFY(board.start({QStringLiteral("--device"), line.endB, QStringLiteral("--once"),
                             QStringLiteral("--answer-delay"), QStringLiteral("250"),
                             QStringLiteral("--out"), received}));

        // The window finds its end of the line through LEDGLYPH_COM1, as a user's would.
        qputenv("LEDGLYPH_COM1", line.endA.toLocal8Bit());
        ScriptedMessageBox box;
        NullLauncher launcher;
        FakeFileDialog dialog;
        dialog.answers << zimuo;
        DesktopServices services{box, launcher, dialog, clock, dir.path(), [] {}};
        Form3 form(services);
        qunsetenv("LEDGLYPH_COM1");
        form.show();
        form.findChild<QComboBox *>(QStringLiteral("Combo2"))->setCurrentIndex(2);

        QTest::mouseClick(form.findChild<QPushButton *>(QStringLiteral("Command4")), Qt::LeftButton);
        QTest::mouseClick(form.findChild<QPushButton *>(QStringLiteral("Command1")), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(form.text1Content().contains(QStringLiteral("下载完成 OK！")), 20000);

        QCOMPARE(board.finish(), 0);
        QCOMPARE(readAll(received), glyphs);
        QVERIFY2(board.output().contains(QStringLiteral("速度代码：3\n")), qPrintable(board.output()));
        QVERIFY(board.output().contains(QStringLiteral("字节数：%1\n").arg(glyphs.size())));
        QVERIFY(board.output().contains(QStringLiteral("字模 1：\n")));

        QCOMPARE(box.styles(), (QList<int>{48, 33, 64}));
        QVERIFY(form.text1Content().endsWith(QStringLiteral("\r\n")));
        QVERIFY(!form.findChild<QTimer *>(QStringLiteral("Timer1"))->isActive());
        QVERIFY(form.findChild<QPushButton *>(QStringLiteral("Command1"))->isEnabled());
        QVERIFY(!form.findChild<QPushButton *>(QStringLiteral("Command2"))->isEnabled());
        QVERIFY(!form.findChild<QPushButton *>(QStringLiteral("Command3"))->isEnabled());
    }

    // Closing right after writing still delivers every queued byte.
    void adapterClosesOnlyAfterQueuedBytesLeft()
    {
        QTemporaryDir dir;
        SocatPair line;
        QVERIFY2(line.start(dir.path()), "socat is needed: apt-get install socat");
        BoardProcess board;
        const QString received = dir.filePath(QStringLiteral("received.bin"));
        QVERIFY(board.start({QStringLiteral("--device"), line.endB, QStringLiteral("--once"),
                             QStringLiteral("--out"), received}));

        QByteArray data(60000, '\0');
        for (int i = 0; i < data.size(); ++i)
            data[i] = static_cast<char>(i % 251);
        MSComm1 port(line.endA);
        QCOMPARE(port.open(LineSettings::download()), std::nullopt);
        QVERIFY(port.write(QByteArray("\x79\x01\x02", 3) + data + QByteArray("sss")));
        port.close();
        QVERIFY(!port.isOpen());

        QCOMPARE(board.finish(), 0);
        QCOMPARE(readAll(received).size(), data.size());
        QCOMPARE(readAll(received), data);
    }

    void boardRefusesAWrongTransfer_data()
    {
        QTest::addColumn<QByteArray>("transfer");
        QTest::addColumn<QString>("complaint");
        QTest::newRow("fixed byte 2") << QByteArray("y\x02\x01" "abcsss") << QStringLiteral("0x02");
        QTest::newRow("speed 7") << QByteArray("y\x01\x07" "abcsss") << QStringLiteral("0x07");
        QTest::newRow("no trailer") << QByteArray("y\x01\x01" "abcss") << QStringLiteral("0x73 0x73 0x73");
        QTest::newRow("noise before header") << QByteArray("sQy\x01\x01" "sss") << QStringLiteral("0x51");
    }
    void boardRefusesAWrongTransfer()
    {
        QFETCH(QByteArray, transfer);
        QFETCH(QString, complaint);
        QTemporaryDir dir;
        SocatPair line;
        QVERIFY2(line.start(dir.path()), "socat is needed: apt-get install socat");
        BoardProcess board;
        const QString received = dir.filePath(QStringLiteral("received.bin"));
        QVERIFY(board.start({QStringLiteral("--device"), line.endB, QStringLiteral("--once"),
                             QStringLiteral("--idle"), QStringLiteral("300"), QStringLiteral("--out"), received}));

        MSComm1 port(line.endA);
        QCOMPARE(port.open(LineSettings::download()), std::nullopt);
        QVERIFY(port.write(transfer));
        QCOMPARE(board.finish(), 1);
        QVERIFY2(board.errors().contains(complaint), qPrintable(board.errors()));
        QVERIFY(!QFile::exists(received));
        port.close();
    }

    void boardAnswersThePoll()
    {
        QTemporaryDir dir;
        SocatPair line;
        QVERIFY2(line.start(dir.path()), "socat is needed: apt-get install socat");
        BoardProcess board;
        QVERIFY(board.start({QStringLiteral("--device"), line.endB}));
        MSComm1 port(line.endA);
        QCOMPARE(port.open(LineSettings::download()), std::nullopt);
        QByteArray answer;
        connect(&port, &SerialLink::notified, &port, [&] { answer += port.readAll(); });
        QVERIFY(port.write("s"));
        QTRY_COMPARE_WITH_TIMEOUT(answer, QByteArray("s"), 5000);
        // Polls still on their way right after the answer are not answered again.
        QVERIFY(port.write("ss"));
        QTest::qWait(300);
        QCOMPARE(answer, QByteArray("s"));
        port.close();
    }

    void missingDeviceIsReportedWithAReason()
    {
        MSComm1 port(QStringLiteral("/dev/ledglyph-no-such-port"));
        const std::optional<QString> reason = port.open(LineSettings::download());
        QVERIFY(reason.has_value());
        QVERIFY(!reason->isEmpty());
        QVERIFY(!port.isOpen());
        QVERIFY(!port.write("s"));
        QCOMPARE(port.deviceName(), QStringLiteral("/dev/ledglyph-no-such-port"));
    }
};

QTEST_MAIN(DownloadEndToEndTest)
#include "test_download_end_to_end.moc"
