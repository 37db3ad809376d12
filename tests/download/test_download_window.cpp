// The download window offscreen, with scripted message boxes, a fake file
// dialog and a fake serial link: its start state, the hex listing, the refused
// files and the enabled state of the buttons after every event.

#include "download/download_window.h"
#include "download_test_support.h"
#include "platform/code_page_936.h"

#include <QComboBox>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTimer>

using namespace ledglyph;
using namespace ledglyph::test;
using namespace Qt::StringLiterals;

namespace {

const QTime morning(9, 7, 3);
const QString helpText = u"串口下载说明\r\n第二行：选择 zimuo.bin，然后打开串口。\r\n"_s;
const QString sizeLine = u"\r\n文件读入正常，大小为：%1字节       "_s + timeText(morning);

// `size` bytes of 0x55 that start with `values`.
QByteArray bytesOf(std::initializer_list<char> values, int size)
{
    QByteArray bytes(size, '\x55');
    std::copy(values.begin(), values.end(), bytes.begin());
    return bytes;
}

// The window on a fake link, with hellp.qvx in its program folder unless told otherwise.
struct Rig {
    QTemporaryDir dir;
    TestDesktop desktop{dir.path(), morning};
    std::unique_ptr<DownloadWindow> form;

    explicit Rig(bool withHelp = true)
    {
        if (withHelp)
            writeFile(dir.filePath(u"hellp.qvx"_s), *cp936::encode(helpText));
        form = std::make_unique<DownloadWindow>(desktop.services);
    }
    // Writes the file (unless `bytes` is null) and chooses it in the dialog; "" cancels the dialog.
    QString choose(const QString &name, const QByteArray &bytes = {})
    {
        const QString path = name.isEmpty() ? QString() : dir.filePath(name);
        if (!bytes.isNull())
            writeFile(path, bytes);
        desktop.host.files << path;
        click(*form, "Command4");
        return path;
    }
    template <typename T = QWidget> T *child(const QString &name) const { return form->findChild<T *>(name); }
    QString text() const { return form->logText(); }
    // Enabled state of 打开串口, 关闭串口 and 发送数据, then the poll and the port: "on off off stopped closed".
    QString state() const
    {
        QStringList parts;
        for (const char *name : {"Command1", "Command3", "Command2"})
            parts << (child<QPushButton>(QLatin1String(name))->isEnabled() ? u"on"_s : u"off"_s);
        parts << (child<QTimer>(u"Timer1"_s)->isActive() ? u"running"_s : u"stopped"_s);
        return parts.join(u' ') + (desktop.link->isOpen() ? u" open"_s : u" closed"_s);
    }
};

} // namespace

class DownloadWindowTest : public QObject {
    Q_OBJECT

private slots:
    // A fixed-size window with a close box only; the lists preset, the help
    // text shown, or one line naming it when it is missing.
    void startState()
    {
        Rig rig;
        QCOMPARE(rig.form->size(), QSize(737, 367));
        QCOMPARE(rig.form->minimumSize(), rig.form->maximumSize());
        QCOMPARE(int(rig.form->windowFlags() & (Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint)),
                 int(Qt::WindowCloseButtonHint));
        QVERIFY(rig.form->windowTitle().contains(u"http://www.qorvath.test"_s));
        QCOMPARE(rig.child<QComboBox>(u"Combo1"_s)->currentText(), u"左移动显示"_s);
        QCOMPARE(rig.child<QComboBox>(u"Combo2"_s)->currentText(), u"变化速度1"_s);
        QCOMPARE(rig.text(), helpText);
        QCOMPARE(rig.child<QPlainTextEdit>(u"Text1"_s)->toPlainText(), QString(helpText).replace("\r\n", "\n"));
        QVERIFY(rig.child<QPlainTextEdit>(u"Text1"_s)->isReadOnly());
        QCOMPARE(rig.state(), u"off off off stopped closed"_s);

        Rig noHelp(false);
        QVERIFY(noHelp.text().contains(noHelp.dir.filePath(u"hellp.qvx"_s)) && !noHelp.text().contains('\n'));
        QCOMPARE(noHelp.state(), u"off off off stopped closed"_s);
    }

    // A file taken: its first N − 353 bytes as 0x.., the size line, the caret at
    // the end. A file refused: a message naming it, nothing else changes.
    void chooseFile_data()
    {
        QTest::addColumn<QByteArray>("content"); // null: the file does not exist
        QTest::addColumn<QString>("listing");    // null: the file is refused
        QTest::newRow("empty file") << ""_ba << sizeLine.arg(-353);
        QTest::newRow("00 1F A0 then tail") << bytesOf({0x00, 0x1F, char(0xA0)}, 356) << u"0x0, 0x1F, 0xA0, "_s + sizeLine.arg(3);
        QTest::newRow("64 KiB, the largest taken") << QByteArray(65536, '\0') << u"0x0, "_s.repeated(65183) + sizeLine.arg(65183);
        QTest::newRow("missing") << QByteArray() << QString();
        QTest::newRow("64 KiB and one byte") << QByteArray(65537, '\0') << QString();
    }
    void chooseFile()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, listing);
        Rig rig;
        rig.form->show();
        QVERIFY(QTest::qWaitForWindowActive(rig.form.get()));
        const QString path = rig.choose(u"glyphs.bin"_s, content);
        QCOMPARE(rig.desktop.host.filters, QStringList{u"二进制文件(*.bin;*.hex;) (*.bin *.hex)"_s});
        QCOMPARE(rig.text(), listing.isNull() ? helpText : listing);
        QCOMPARE(rig.state(), listing.isNull() ? u"off off off stopped closed"_s : u"on off off stopped closed"_s);
        QCOMPARE(rig.desktop.host.shown.size(), listing.isNull() ? 1 : 0);
        if (listing.isNull())
            QVERIFY(rig.desktop.host.shown[0].startsWith(u"48 ") && rig.desktop.host.shown[0].contains(path));
        else
            QVERIFY(rig.child(u"Text1"_s)->hasFocus() && rig.child<QPlainTextEdit>(u"Text1"_s)->textCursor().atEnd());
    }

    // A cancelled dialog changes nothing at first, later it loads the previous
    // choice again as that file is now. Then the buttons and the poll after
    // each event, the log line of the opening; the close box ends the poll
    // and closes the port. ("返回" is followed in test_window_navigator.)
    void session()
    {
        Rig rig;
        rig.choose({});
        QCOMPARE(rig.text(), helpText);
        QCOMPARE(rig.state(), u"off off off stopped closed"_s);
        const QString path = rig.choose(u"zimuo.bin"_s, bytesOf({char(0xAB)}, 354));
        writeFile(path, bytesOf({0x01, 0x02}, 355));
        rig.choose({});
        const QString listing = u"0x1, 0x2, "_s + sizeLine.arg(2);
        QCOMPARE(rig.text(), listing);
        click(*rig.form, "Command1");
        QCOMPARE(rig.state(), u"off on off running open"_s);
        QCOMPARE(rig.text(), listing + LogLines(testTime(morning)).opened);
        rig.desktop.host.answers = {MessageAnswer::Cancel};
        rig.desktop.link->receive("xs");
        QCOMPARE(rig.state(), u"off on on stopped open"_s);
        click(*rig.form, "Command3");
        QCOMPARE(rig.state(), u"on off off stopped closed"_s);

        click(*rig.form, "Command1");
        rig.form->show();
        rig.form->close();
        QVERIFY(rig.state().endsWith(u"stopped closed"_s));
    }
};

QTEST_MAIN(DownloadWindowTest)
#include "test_download_window.moc"
