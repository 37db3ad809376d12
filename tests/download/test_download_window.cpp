// The download window offscreen, with scripted message boxes, a fake file
// dialog and a fake serial link: its controls, the hex listing, the log lines
// and the enabled state of the buttons after every event.

#include "download/download_window.h"
#include "download_fakes.h"
#include "platform/code_page_936.h"
#include "platform/date_time_text.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace ledglyph;
using namespace ledglyph::testing;

namespace {

const QDateTime at(QDate(2008, 3, 22), QTime(9, 7, 3));
const QString helpText = QStringLiteral("串口下载说明\r\n第二行：选择 zimuo.bin，然后打开串口。\r\n");

class NullLauncher final : public Launcher {
public:
    void openAddress(const QString &) override {}
};

QByteArray bytesOf(std::initializer_list<int> values, int size)
{
    QByteArray bytes(size, '\x55');
    int i = 0;
    for (const int value : values)
        bytes[i++] = static_cast<char>(value);
    return bytes;
}

} // namespace

class DownloadWindowTest : public QObject {
    Q_OBJECT

private:
    struct Rig {
        QTemporaryDir dir;
        ScriptedMessageBox box;
        NullLauncher launcher;
        FakeFileDialog dialog;
        FixedClock clock{at};
        DesktopServices services{box, launcher, dialog, clock, dir.path(), [] {}};
        FakeSerialLink *link = nullptr;
        std::unique_ptr<Form3> form;

        explicit Rig(bool withHelp = true)
        {
            if (withHelp)
                writeFile(QStringLiteral("hellp.qvx"), *cp936::encode(helpText));
            auto fake = std::make_unique<FakeSerialLink>();
            link = fake.get();
            form = std::make_unique<Form3>(services, std::move(fake));
        }
        QString writeFile(const QString &name, const QByteArray &bytes)
        {
            const QString path = dir.filePath(name);
            QFile file(path);
            if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
                qFatal("cannot write the test file");
            return path;
        }
        template <typename T> T *child(const char *name) const
        {
            T *found = form->findChild<T *>(QLatin1String(name));
            if (!found)
                qFatal("control %s missing", name);
            return found;
        }
        void click(const char *name) { QTest::mouseClick(child<QPushButton>(name), Qt::LeftButton); }
        void chooseFile(const QString &path)
        {
            dialog.answers << path;
            click("Command4");
        }
        // Enabled state of 打开串口, 关闭串口, 发送数据, the poll timer and the port.
        QString state() const
        {
            auto on = [](bool value) { return value ? QStringLiteral("on") : QStringLiteral("off"); };
            return QStringList{on(child<QPushButton>("Command1")->isEnabled()),
                               on(child<QPushButton>("Command3")->isEnabled()),
                               on(child<QPushButton>("Command2")->isEnabled()),
                               child<QTimer>("Timer1")->isActive() ? QStringLiteral("running")
                                                                  : QStringLiteral("stopped"),
                               link->isOpen() ? QStringLiteral("open") : QStringLiteral("closed")}
                .join(QLatin1Char(' '));
        }
    };
    const QString time = timeText(at.time());

private slots:
    void controlsAndStartState()
    {
        Rig rig;
        QCOMPARE(rig.form->size(), QSize(737, 367));
        QCOMPARE(rig.form->minimumSize(), rig.form->maximumSize());
        QVERIFY(!(rig.form->windowFlags() & Qt::WindowMinimizeButtonHint));
        QVERIFY(!(rig.form->windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(rig.form->windowFlags() & Qt::WindowCloseButtonHint);
        QVERIFY(rig.form->windowTitle().contains(QStringLiteral("http://www.qorvath.test")));

        auto *combo1 = rig.child<QComboBox>("Combo1");
        auto *combo2 = rig.child<QComboBox>("Combo2");
        QStringList modes, speeds;
        for (int i = 0; i < combo1->count(); ++i)
            modes << combo1->itemText(i);
        for (int i = 0; i < combo2->count(); ++i)
            speeds << combo2->itemText(i);
        QCOMPARE(modes, (QStringList{"左移动显示", "右移动显示", "上移显示", "下移显示", "左移加静止", "循环显示"}));
        QCOMPARE(speeds, (QStringList{"变化速度1", "变化速度2", "变化速度3", "变化速度4", "变化速度5", "变化速度6"}));
        QCOMPARE(combo1->currentText(), QStringLiteral("左移动显示"));
        QCOMPARE(combo2->currentText(), QStringLiteral("变化速度1"));
        QVERIFY(!combo1->isEditable());
        QVERIFY(!combo2->isEditable());

        QCOMPARE(rig.form->text1Content(), helpText);
        QCOMPARE(rig.child<QPlainTextEdit>("Text1")->toPlainText(), QString(helpText).replace("\r\n", "\n"));
        QVERIFY(rig.child<QPlainTextEdit>("Text1")->isReadOnly());
        QVERIFY(rig.child<QPushButton>("Command4")->isEnabled());
        QVERIFY(rig.child<QPushButton>("Command5")->isEnabled());
        QCOMPARE(rig.state(), QStringLiteral("off off off stopped closed"));
        QCOMPARE(rig.link->openCount, 0);
    }

    void controlPlacesAndCaptions_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QRect>("place"); // client-area pixels (twips ÷ 15)
        QTest::newRow("Frame2") << "Frame2" << "功能设置" << QRect(8, 8, 105, 337);
        QTest::newRow("Combo1") << "Combo1" << "" << QRect(16, 32, 89, 20);
        QTest::newRow("Combo2") << "Combo2" << "" << QRect(16, 72, 89, 20);
        QTest::newRow("Command4") << "Command4" << "打开文件" << QRect(16, 112, 89, 33);
        QTest::newRow("Command1") << "Command1" << "打开串口" << QRect(16, 160, 89, 33);
        QTest::newRow("Command3") << "Command3" << "关闭串口" << QRect(16, 208, 89, 33);
        QTest::newRow("Command2") << "Command2" << "发送数据" << QRect(16, 256, 89, 33);
        QTest::newRow("Command5") << "Command5" << "返回" << QRect(16, 304, 89, 33);
        QTest::newRow("Frame1") << "Frame1" << "串口发送数据" << QRect(120, 8, 609, 337);
        QTest::newRow("Text1") << "Text1" << "" << QRect(128, 32, 593, 297);
    }
    void controlPlacesAndCaptions()
    {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QRect, place);
        Rig rig;
        auto *control = rig.form->findChild<QWidget *>(name);
        QVERIFY(control);
        QCOMPARE(QRect(control->mapTo(rig.form.get(), QPoint(0, 0)), control->size()), place);
        if (auto *button = qobject_cast<QPushButton *>(control))
            QCOMPARE(button->text(), caption);
        if (auto *frame = qobject_cast<QGroupBox *>(control))
            QCOMPARE(frame->title(), caption);
    }

    void tabOrder()
    {
        Rig rig;
        QStringList order;
        QWidget *widget = rig.child<QWidget>("Text1");
        do {
            if (widget->focusPolicy() & Qt::TabFocus)
                order << widget->objectName();
            widget = widget->nextInFocusChain();
        } while (widget != rig.child<QWidget>("Text1"));
        QCOMPARE(order, (QStringList{"Text1", "Command5", "Command4", "Command3", "Command2", "Command1",
                                     "Combo1", "Combo2"}));
    }

    void missingHelpFileIsOneLine()
    {
        Rig rig(false);
        const QString text = rig.form->text1Content();
        QVERIFY(text.contains(QStringLiteral("hellp.qvx")));
        QVERIFY(!text.contains(QLatin1Char('\n')));
        QCOMPARE(rig.state(), QStringLiteral("off off off stopped closed"));
    }

    void listingAndSizeLine_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("expected");
        QTest::newRow("empty file") << QByteArray() << QStringLiteral("\r\n文件读入正常，大小为：-353字节       ");
        QTest::newRow("353 bytes") << QByteArray(353, 's') << QStringLiteral("\r\n文件读入正常，大小为：0字节       ");
        QTest::newRow("00 1F A0 then tail") << bytesOf({0x00, 0x1F, 0xA0}, 356)
                                            << QStringLiteral("0x0, 0x1F, 0xA0, \r\n文件读入正常，大小为：3字节       ");
        QTest::newRow("one cell of FF") << QByteArray(32 + 353, '\xFF')
                                        << QStringLiteral("0xFF, ").repeated(32)
                                               + QStringLiteral("\r\n文件读入正常，大小为：32字节       ");
    }
    void listingAndSizeLine()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, expected);
        Rig rig;
        rig.form->show();
        QVERIFY(QTest::qWaitForWindowActive(rig.form.get()));
        rig.chooseFile(rig.writeFile(QStringLiteral("glyphs.hex"), content));
        QCOMPARE(rig.form->text1Content(), expected + time);
        QCOMPARE(rig.dialog.filters, QStringList{QStringLiteral("二进制文件(*.bin;*.hex;) (*.bin *.hex)")});
        auto *text1 = rig.child<QPlainTextEdit>("Text1");
        QVERIFY(text1->hasFocus());
        QVERIFY(text1->textCursor().atEnd());
        QCOMPARE(rig.state(), QStringLiteral("on off off stopped closed"));
        QVERIFY(rig.box.shown.isEmpty());
    }

    void cancelledDialogs()
    {
        Rig rig;
        rig.dialog.answers << QString();
        rig.click("Command4");
        QCOMPARE(rig.form->text1Content(), helpText);
        QCOMPARE(rig.state(), QStringLiteral("off off off stopped closed"));

        const QString path = rig.writeFile(QStringLiteral("zimuo.bin"), bytesOf({0xAB}, 354));
        rig.chooseFile(path);
        // The file changes; a cancelled dialog loads the previous choice again, as it is now.
        rig.writeFile(QStringLiteral("zimuo.bin"), bytesOf({0x01, 0x02}, 355));
        rig.dialog.answers << QString();
        rig.click("Command4");
        QCOMPARE(rig.form->text1Content(), QStringLiteral("0x1, 0x2, \r\n文件读入正常，大小为：2字节       ") + time);
        QCOMPARE(rig.form->protocol().filePath(), path);
    }

    void refusedFiles_data()
    {
        QTest::addColumn<bool>("exists");
        QTest::addColumn<int>("size");
        QTest::newRow("missing") << false << 0;
        QTest::newRow("64 KiB and one byte") << true << 65537;
    }
    void refusedFiles()
    {
        QFETCH(bool, exists);
        QFETCH(int, size);
        Rig rig;
        const QString path = exists ? rig.writeFile(QStringLiteral("big.bin"), QByteArray(size, '\0'))
                                    : rig.dir.filePath(QStringLiteral("gone.bin"));
        rig.chooseFile(path);
        QCOMPARE(rig.box.shown.size(), 1);
        QCOMPARE(rig.box.shown[0].style, 48);
        QVERIFY(rig.box.shown[0].prompt.contains(path));
        QCOMPARE(rig.form->text1Content(), helpText);
        QCOMPARE(rig.state(), QStringLiteral("off off off stopped closed"));
        QVERIFY(rig.form->protocol().filePath().isEmpty());
    }

    void largestAcceptedFile()
    {
        Rig rig;
        rig.chooseFile(rig.writeFile(QStringLiteral("full.bin"), QByteArray(65536, '\0')));
        QVERIFY(rig.box.shown.isEmpty());
        QVERIFY(rig.form->text1Content().endsWith(QStringLiteral("大小为：65183字节       ") + time));
    }

    // The enabled states after each event, and the log lines they write.
    void enabledStatesAndLogThroughADownload()
    {
        Rig rig;
        const QByteArray content = bytesOf({0x10, 0x73, 0x73, 0x73}, 449);
        rig.chooseFile(rig.writeFile(QStringLiteral("zimuo.bin"), content));
        QCOMPARE(rig.state(), QStringLiteral("on off off stopped closed"));
        const QString listing = rig.form->text1Content();

        rig.click("Command1");
        QCOMPARE(rig.state(), QStringLiteral("off on off running open"));
        QCOMPARE(rig.form->text1Content(), listing + QStringLiteral("\r\n串口已打开,等待与单片机的连接。    ") + time);

        rig.box.answers = {MsgCancel};
        rig.link->receive("xs");
        QCOMPARE(rig.state(), QStringLiteral("off on on stopped open"));

        rig.click("Command3");
        QCOMPARE(rig.state(), QStringLiteral("on off off stopped closed"));

        rig.click("Command1");
        QCOMPARE(rig.state(), QStringLiteral("off on off running open"));
        rig.child<QComboBox>("Combo1")->setCurrentIndex(5);
        rig.child<QComboBox>("Combo2")->setCurrentIndex(5);
        rig.link->written.clear();
        rig.box.shown.clear();
        const QString beforeSignal = rig.form->text1Content();
        rig.link->receive("s");
        QCOMPARE(rig.state(), QStringLiteral("on off off stopped closed"));
        QCOMPARE(rig.link->written, QByteArray("\x79\x01\x06", 3) + content + QByteArray("sss"));
        QCOMPARE(rig.form->text1Content(),
                 beforeSignal + QStringLiteral("\r\n收到单片机信号，与单片机连接成功。 ") + time
                     + QStringLiteral("\r\n\r\n正在下载中，请等待....             ") + time
                     + QStringLiteral("\r\n下载完成 OK！                      ") + time + QStringLiteral("\r\n"));
        QCOMPARE(rig.box.styles(), (QList<int>{33, 64}));
    }

    void sendWithoutSpeedKeepsSendEnabled()
    {
        Rig rig;
        rig.chooseFile(rig.writeFile(QStringLiteral("zimuo.bin"), QByteArray(449, '\0')));
        rig.click("Command1");
        rig.box.answers = {MsgCancel};
        rig.link->receive("s");
        rig.child<QComboBox>("Combo2")->setCurrentIndex(-1);
        rig.link->written.clear();
        rig.click("Command2");
        QVERIFY(rig.link->written.isEmpty());
        QCOMPARE(rig.box.shown.last().style, 64);
        QCOMPARE(rig.state(), QStringLiteral("off on on stopped open"));
    }

    void portThatCannotBeOpenedLeavesTheWindowClosed()
    {
        Rig rig;
        rig.link->openFailure = QStringLiteral("No such file or directory");
        rig.chooseFile(rig.writeFile(QStringLiteral("zimuo.bin"), QByteArray(449, '\0')));
        rig.click("Command1");
        QCOMPARE(rig.box.shown.size(), 1);
        QVERIFY(rig.box.shown[0].prompt.contains(QStringLiteral("/dev/fake-com1")));
        QVERIFY(rig.box.shown[0].prompt.contains(QStringLiteral("No such file or directory")));
        QCOMPARE(rig.state(), QStringLiteral("on off off stopped closed"));
    }

    void returnAndCloseBox()
    {
        Rig rig;
        QSignalSpy returned(rig.form.get(), &Form3::returnRequested);
        rig.chooseFile(rig.writeFile(QStringLiteral("zimuo.bin"), QByteArray(449, '\0')));
        rig.click("Command1");
        rig.click("Command5");
        QCOMPARE(returned.size(), 1);
        rig.form->show();
        rig.form->close();
        QVERIFY(!rig.link->isOpen());
        QVERIFY(!rig.child<QTimer>("Timer1")->isActive());
    }
};

QTEST_MAIN(DownloadWindowTest)
#include "test_download_window.moc"
