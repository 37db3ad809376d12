// Input monitoring of the main window's input box: the counts in panel 2 and
// the refusal of Chinese characters in 8*16 mode, driven by typing, input
// method commits and pastes.

#include "core/maker_texts.h"
#include "ui/main_window.h"
#include "ui/status_panels.h"
#include "ui_test_support.h"

#include <QClipboard>
#include <QRadioButton>

#include <memory>

using namespace ledglyph;
using namespace ledglyph::test;

namespace {

const QString kRefusal =
    QStringLiteral("注意：8*16格式时不允许输入汉字，要对汉字取模请选择16*16格式！");

QString counts(int singleByte, int chinese)
{
    return QStringLiteral(" %1个字符 %2个汉字").arg(singleByte).arg(chinese);
}

} // namespace

class TestInputMonitor : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void countsIn16x16_data();
    void countsIn16x16();
    void selecting8x16EmptiesTheBox();
    void typedChineseAfterAsciiIn8x16();
    void pastedChineseFirstIn8x16();
    void chineseTypedInsideTextIn8x16();
    void lineBreakAtTheEndIsCutAsOne();
    void unencodableCharacterIsRefusedIn8x16();
    void asciiOnlyIn8x16IsCounted();
    void longPasteIsCutWithoutNesting();

private:
    QPlainTextEdit *srcTxt() { return m_form->findChild<QPlainTextEdit *>(QStringLiteral("SrcTxt")); }
    QString panel2() { return m_form->findChild<StatusPanels *>(QStringLiteral("StaB1"))->panelText(2); }
    void select8x16()
    {
        auto *option5 = m_form->findChild<QRadioButton *>(QStringLiteral("Option5"));
        QTest::mouseClick(option5, Qt::LeftButton, {}, QPoint(7, option5->height() / 2));
        QVERIFY(option5->isChecked());
    }
    void paste(const QString &text)
    {
        QApplication::clipboard()->setText(text);
        srcTxt()->paste();
    }
    // The input box's text at every message, as the user saw it behind the box.
    QStringList textsAtMessages;

    std::unique_ptr<TestServices> m_env;
    std::unique_ptr<Form1> m_form;
};

void TestInputMonitor::init()
{
    m_env = std::make_unique<TestServices>();
    m_form = std::make_unique<Form1>(m_env->services);
    m_form->show();
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
    textsAtMessages.clear();
    m_env->messageBox.onShow = [this](const Prompt &) {
        textsAtMessages << boxText(srcTxt());
        // A real message box takes the focus; put the caret at the start, too.
        m_form->findChild<QWidget *>(QStringLiteral("exet"))->setFocus();
        QTextCursor start = srcTxt()->textCursor();
        start.movePosition(QTextCursor::Start);
        srcTxt()->setTextCursor(start);
    };
}

void TestInputMonitor::cleanup()
{
    m_form.reset();
    m_env.reset();
}

void TestInputMonitor::countsIn16x16_data()
{
    QTest::addColumn<QString>("typed");   // "\n" is the Enter key, other text is committed
    QTest::addColumn<QString>("panel2");

    QTest::newRow("ab中") << QStringLiteral("ab中") << counts(2, 1);
    QTest::newRow("line break is CR and LF") << QStringLiteral("a\nb") << counts(4, 0);
    QTest::newRow("two line breaks") << QStringLiteral("\n\n") << counts(4, 0);
    QTest::newRow("full-width and symbols") << QStringLiteral("，Ａ€") << counts(1, 2);
    QTest::newRow("emoji has no code page 936 code") << QStringLiteral("a😀") << counts(1, 1);
    QTest::newRow("no-break space is not a space") << QStringLiteral("a\u00A0") << counts(1, 1);
}

void TestInputMonitor::countsIn16x16()
{
    QFETCH(QString, typed);
    QFETCH(QString, panel2);

    const QStringList lines = typed.split(u'\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i > 0)
            QTest::keyClick(srcTxt(), Qt::Key_Return);
        if (!lines.at(i).isEmpty())
            commitText(srcTxt(), lines.at(i));
    }
    QCOMPARE(this->panel2(), panel2);
    QVERIFY(m_env->messageBox.prompts.isEmpty());
}

void TestInputMonitor::selecting8x16EmptiesTheBox()
{
    commitText(srcTxt(), QStringLiteral("ab中"));
    QCOMPARE(panel2(), counts(2, 1));
    select8x16();
    QCOMPARE(srcTxt()->toPlainText(), QString());
    QCOMPARE(panel2(), counts(0, 0));
    QVERIFY(m_env->messageBox.prompts.isEmpty());

    // Back to 16*16 does not bring the text back.
    auto *option6 = m_form->findChild<QRadioButton *>(QStringLiteral("Option6"));
    QTest::mouseClick(option6, Qt::LeftButton, {}, QPoint(7, option6->height() / 2));
    QCOMPARE(srcTxt()->toPlainText(), QString());
}

void TestInputMonitor::typedChineseAfterAsciiIn8x16()
{
    select8x16();
    QTest::keyClicks(srcTxt(), QStringLiteral("ab"));
    QCOMPARE(panel2(), counts(2, 0));
    commitText(srcTxt(), QStringLiteral("中"));

    QCOMPARE(m_env->messageBox.prompts.size(), 1);
    const Prompt &prompt = m_env->messageBox.prompts.first();
    QCOMPARE(prompt.prompt, kRefusal);
    QCOMPARE(prompt.style, 48);
    QCOMPARE(prompt.title, QStringLiteral("Qorvath欢迎您"));
    QCOMPARE(textsAtMessages, QStringList{QStringLiteral("ab中")});
    QCOMPARE(srcTxt()->toPlainText(), QStringLiteral("ab"));
    QCOMPARE(srcTxt()->textCursor().position(), 2);
    QCOMPARE(QApplication::focusWidget(), srcTxt());
    QCOMPARE(panel2(), counts(2, 0));
}

void TestInputMonitor::pastedChineseFirstIn8x16()
{
    select8x16();
    paste(QStringLiteral("中ab"));
    QCOMPARE(m_env->messageBox.prompts.size(), 3);
    QCOMPARE(textsAtMessages, (QStringList{QStringLiteral("中ab"), QStringLiteral("中a"),
                                           QStringLiteral("中")}));
    QCOMPARE(srcTxt()->toPlainText(), QString());
    QCOMPARE(panel2(), counts(0, 0));
}

void TestInputMonitor::chineseTypedInsideTextIn8x16()
{
    select8x16();
    QTest::keyClicks(srcTxt(), QStringLiteral("abc"));
    QTextCursor cursor = srcTxt()->textCursor();
    cursor.setPosition(1);
    srcTxt()->setTextCursor(cursor);
    commitText(srcTxt(), QStringLiteral("中"));

    QCOMPARE(m_env->messageBox.prompts.size(), 3);
    QCOMPARE(textsAtMessages, (QStringList{QStringLiteral("a中bc"), QStringLiteral("a中b"),
                                           QStringLiteral("a中")}));
    QCOMPARE(srcTxt()->toPlainText(), QStringLiteral("a"));
    QCOMPARE(srcTxt()->textCursor().position(), 1);
    QCOMPARE(QApplication::focusWidget(), srcTxt());
    QCOMPARE(panel2(), counts(1, 0));
}

void TestInputMonitor::lineBreakAtTheEndIsCutAsOne()
{
    // A line break is two characters in the count, but the box holds it as one
    // and it cannot be split: it goes with one message.
    select8x16();
    paste(QStringLiteral("x中\r\n"));
    QCOMPARE(textsAtMessages, (QStringList{QStringLiteral("x中\r\n"), QStringLiteral("x中")}));
    QCOMPARE(srcTxt()->toPlainText(), QStringLiteral("x"));
    QCOMPARE(panel2(), counts(1, 0));

    // Line breaks before the refused character stay and are counted as two each.
    paste(QStringLiteral("\r\n中"));
    QCOMPARE(srcTxt()->toPlainText(), QStringLiteral("x\n"));
    QCOMPARE(panel2(), counts(3, 0));
}

void TestInputMonitor::unencodableCharacterIsRefusedIn8x16()
{
    select8x16();
    QTest::keyClicks(srcTxt(), QStringLiteral("x"));
    commitText(srcTxt(), QStringLiteral("😀"));
    QCOMPARE(m_env->messageBox.prompts.size(), 1);
    QCOMPARE(srcTxt()->toPlainText(), QStringLiteral("x")); // both halves of the pair went
    QCOMPARE(panel2(), counts(1, 0));
}

void TestInputMonitor::asciiOnlyIn8x16IsCounted()
{
    select8x16();
    QTest::keyClicks(srcTxt(), QStringLiteral("a b"));
    QTest::keyClick(srcTxt(), Qt::Key_Return);
    QTest::keyClicks(srcTxt(), QStringLiteral("~"));
    QVERIFY(m_env->messageBox.prompts.isEmpty());
    QCOMPARE(panel2(), counts(6, 0));
}

void TestInputMonitor::longPasteIsCutWithoutNesting()
{
    // One message per character, from the end back to the first Chinese character.
    select8x16();
    const QString text = QStringLiteral("ok") + QString(3000, u'中') + QString(2000, u'z');
    int changeHandlings = 0;
    QObject::connect(srcTxt(), &QPlainTextEdit::textChanged, srcTxt(), [&] { ++changeHandlings; });
    paste(text);
    QCOMPARE(m_env->messageBox.prompts.size(), 5000);
    QCOMPARE(srcTxt()->toPlainText(), QStringLiteral("ok"));
    QCOMPARE(panel2(), counts(2, 0));
    QCOMPARE(changeHandlings, 1); // the paste itself; the cuts start no handling of their own
}

QTEST_MAIN(TestInputMonitor)
#include "test_input_monitor.moc"
