// Input monitoring of the main window's input box: the counts in its status panel and
// the refusal of Chinese characters in 8*16 mode, driven by typing, input
// method commits and pastes.

#include "ui_test_support.h"

#include <QClipboard>

using namespace ledglyph;
using namespace ledglyph::test;

namespace {

const QString kRefusal = QStringLiteral("48 Qorvath欢迎您: 注意：8*16格式时不允许输入汉字，要对汉字取模请选择16*16格式！");

QString counts(int singleByte, int chinese)
{
    return QStringLiteral(" %1个字符 %2个汉字").arg(singleByte).arg(chinese);
}

} // namespace

class TestInputMonitor : public QObject, MainWindowFixture {
    Q_OBJECT

private slots:
    void init();
    void cleanup() { closeWindows(); }

    void countsAndRefusals_data();
    void countsAndRefusals();
    void longPasteIsCutWithoutNesting();

private:
    void paste(const QString &text)
    {
        QApplication::clipboard()->setText(text);
        inputBox()->paste();
    }

    QStringList textsAtMessages; // the input box's text at every message, as seen behind the box
};

void TestInputMonitor::init()
{
    QVERIFY(openMainWindow());
    textsAtMessages.clear();
    env->host.onShow = [this] {
        textsAtMessages << boxText(inputBox());
        // A real message box takes the focus; put the caret at the start, too.
        control("exet")->setFocus();
        inputBox()->moveCursor(QTextCursor::Start);
    };
}

void TestInputMonitor::countsAndRefusals_data()
{
    QTest::addColumn<bool>("mode8x16");
    QTest::addColumn<QString>("typed");   // typed first, "\n" as the Enter key
    QTest::addColumn<int>("caret");       // where the insert goes; -1: at the end
    QTest::addColumn<QString>("insert");  // then typed or pasted
    QTest::addColumn<bool>("pasted");
    QTest::addColumn<QStringList>("messages"); // the box's text at each refusal
    QTest::addColumn<QString>("after");   // line breaks as CR LF
    QTest::addColumn<QString>("countsShown");

    const auto row = [](const char *name, bool mode8x16, const char *typed, int caret, const char *insert,
                        bool pasted, const QStringList &messages, const char *after, const QString &countsShown) {
        QTest::newRow(name) << mode8x16 << QString(typed) << caret << QString(insert) << pasted << messages
                            << QString(after) << countsShown;
    };
    row("ab中", false, "ab", -1, "中", false, {}, "ab中", counts(2, 1));
    row("line break is CR and LF", false, "a\nb", -1, "", false, {}, "a\r\nb", counts(4, 0));
    row("full-width and symbols", false, "", -1, "，Ａ€", false, {}, "，Ａ€", counts(1, 2));
    row("emoji has no code page 936 code", false, "a", -1, "😀", false, {}, "a😀", counts(1, 1));
    row("no-break space is not a space", false, "a", -1, "\u00A0", false, {}, "a\u00A0", counts(1, 1));

    // In 8*16 mode, one message per character cut from the end while a Chinese character is left.
    row("selecting 8*16 empties the box", true, "", -1, "", false, {}, "", counts(0, 0));
    row("ASCII and a line break pass", true, "a b\n~", -1, "", false, {}, "a b\r\n~", counts(6, 0));
    row("中 typed after ab", true, "ab", -1, "中", false, {"ab中"}, "ab", counts(2, 0));
    row("中ab pasted", true, "", -1, "中ab", true, {"中ab", "中a", "中"}, "", counts(0, 0));
    row("中 typed between a and b of abc", true, "abc", 1, "中", false, {"a中bc", "a中b", "a中"}, "a", counts(1, 0));
    // The box holds a line break as one character: it is cut as a whole, with one message.
    row("line break at the end cut as one", true, "", -1, "x中\r\n", true, {"x中\r\n", "x中"}, "x", counts(1, 0));
    row("line break before 中 stays", true, "x", -1, "\r\n中", true, {"x\r\n中"}, "x\r\n", counts(3, 0));
    row("emoji cut as a whole pair", true, "x", -1, "😀", false, {"x😀"}, "x", counts(1, 0));
}

void TestInputMonitor::countsAndRefusals()
{
    QFETCH(bool, mode8x16);
    QFETCH(QString, typed);
    QFETCH(int, caret);
    QFETCH(QString, insert);
    QFETCH(bool, pasted);
    QFETCH(QStringList, messages);
    QFETCH(QString, after);
    QFETCH(QString, countsShown);

    if (mode8x16) {
        typeText(inputBox(), QStringLiteral("中")); // selecting 8*16 must empty the box and count again
        click("Option5");
    }
    typeText(inputBox(), typed);
    if (caret >= 0) {
        QTextCursor cursor = inputBox()->textCursor();
        cursor.setPosition(caret);
        inputBox()->setTextCursor(cursor);
    }
    if (pasted)
        paste(insert);
    else
        typeText(inputBox(), insert);

    QCOMPARE(textsAtMessages, messages);
    QCOMPARE(env->host.shown, QStringList(messages.size(), kRefusal));
    QCOMPARE(boxText(inputBox()), after);
    QCOMPARE(panel(StatusPanel::InputCounts), countsShown);
    if (!messages.isEmpty()) { // the focus and the caret come back from the message
        QCOMPARE(focusName(), "SrcTxt");
        QVERIFY(inputBox()->textCursor().atEnd());
    }
}

void TestInputMonitor::longPasteIsCutWithoutNesting()
{
    // One message per character, from the end back to the first Chinese character.
    click("Option5");
    int changeHandlings = 0;
    QObject::connect(inputBox(), &QPlainTextEdit::textChanged, inputBox(), [&] { ++changeHandlings; });
    paste(QStringLiteral("ok") + QString(3000, u'中') + QString(2000, u'z'));
    QCOMPARE(env->host.shown, QStringList(5000, kRefusal));
    QCOMPARE(boxText(inputBox()), QStringLiteral("ok"));
    QCOMPARE(panel(StatusPanel::InputCounts), counts(2, 0));
    QCOMPARE(changeHandlings, 1); // the paste itself; the cuts start no handling of their own
}

QTEST_MAIN(TestInputMonitor)
#include "test_input_monitor.moc"
