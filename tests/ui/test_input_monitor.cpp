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

// Typed ("\n" as the Enter key), then pasted at the caret (-1: at the end); the
// box's text at each refusal, its text after (line breaks as CR LF) and the
// counts shown.
struct Edit {
    bool mode8x16;
    QString typed;
    int caret;
    QString pasted;
    QStringList messages;
    QString after;
    QString countsShown;
};

} // namespace

Q_DECLARE_METATYPE(Edit)

class TestInputMonitor : public QObject, MainWindowFixture {
    Q_OBJECT

private slots:
    void init()
    {
        QVERIFY(openMainWindow());
        textsAtMessages.clear();
        env->host.onEveryBox = [this] {
            textsAtMessages << boxText(inputBox());
            // A real message box takes the focus; put the caret at the start, too.
            control("exet")->setFocus();
            inputBox()->moveCursor(QTextCursor::Start);
        };
    }
    void cleanup() { closeWindows(); }

    void countsAndRefusals_data()
    {
        QTest::addColumn<Edit>("edit");
        const QString none = counts(0, 0);
        QTest::newRow("line break is CR and LF") << Edit{false, "a\nb", -1, "", {}, "a\r\nb", counts(4, 0)};
        QTest::newRow("full-width and symbols") << Edit{false, "，Ａ€", -1, "", {}, "，Ａ€", counts(1, 2)};
        QTest::newRow("emoji has no code page 936 code") << Edit{false, "a😀", -1, "", {}, "a😀", counts(1, 1)};
        QTest::newRow("no-break space is not a space") << Edit{false, "a\u00A0", -1, "", {}, "a\u00A0", counts(1, 1)};

        // In 8*16 mode, one message per character cut from the end (not at the
        // caret) while a Chinese character is left.
        QTest::newRow("selecting 8*16 empties the box") << Edit{true, "", -1, "", {}, "", none};
        QTest::newRow("ASCII and a line break pass") << Edit{true, "a b\n~", -1, "", {}, "a b\r\n~", counts(6, 0)};
        QTest::newRow("中 typed after ab") << Edit{true, "ab中", -1, "", {"ab中"}, "ab", counts(2, 0)};
        QTest::newRow("中 pasted between a and b of abc")
            << Edit{true, "abc", 1, "中", {"a中bc", "a中b", "a中"}, "a", counts(1, 0)};
        // The box holds a line break as one character: it is cut as a whole, with one message.
        QTest::newRow("line break at the end cut as one")
            << Edit{true, "", -1, "x中\r\n", {"x中\r\n", "x中"}, "x", counts(1, 0)};
        QTest::newRow("emoji cut as a whole pair") << Edit{true, "x😀", -1, "", {"x😀"}, "x", counts(1, 0)};
    }

    void countsAndRefusals()
    {
        QFETCH(Edit, edit);
        if (edit.mode8x16) {
            typeText(inputBox(), QStringLiteral("中")); // selecting 8*16 must empty the box and count again
            click("Option5");
        }
        typeText(inputBox(), edit.typed);
        if (edit.caret >= 0) {
            QTextCursor cursor = inputBox()->textCursor();
            cursor.setPosition(edit.caret);
            inputBox()->setTextCursor(cursor);
        }
        if (!edit.pasted.isEmpty())
            paste(edit.pasted);

        QCOMPARE(textsAtMessages, edit.messages);
        QCOMPARE(env->host.shown, QStringList(edit.messages.size(), kRefusal));
        QCOMPARE(boxText(inputBox()), edit.after);
        QCOMPARE(panel(StatusPanel::InputCounts), edit.countsShown);
        if (!edit.messages.isEmpty()) { // the focus and the caret come back from the message
            QCOMPARE(focusName(), "SrcTxt");
            QVERIFY(inputBox()->textCursor().atEnd());
        }
    }

    void longPasteIsCutWithoutNesting()
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

private:
    void paste(const QString &text)
    {
        QApplication::clipboard()->setText(text);
        inputBox()->paste();
    }

    QStringList textsAtMessages; // the input box's text at every message, as seen behind the box
};

QTEST_MAIN(TestInputMonitor)
#include "test_input_monitor.moc"
