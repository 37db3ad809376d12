// The conversion button: options read from the controls, the files written into
// the program folder, panel 3 and the output box; the empty input and refusals.

#include "core/maker_texts.h"
#include "platform/code_page_936.h"
#include "ui/main_window.h"
#include "ui/status_panels.h"
#include "ui_test_support.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include <memory>

using namespace ledglyph;
using namespace ledglyph::test;

namespace {

quint8 reversed(quint8 v)
{
    quint8 r = 0;
    for (int bit = 0; bit < 8; ++bit) {
        if (v & (1 << bit))
            r |= quint8(0x80 >> bit);
    }
    return r;
}

quint8 at(const QByteArray &bytes, qsizetype i)
{
    return static_cast<quint8>(bytes.at(i));
}

// The output box's text as the program's text: line breaks as CR LF, the
// symbols for a lone CR or LF as those characters.
QString outputText(const QPlainTextEdit *box)
{
    QString text = boxText(box);
    text.replace(QChar(0x240D), u'\r').replace(QChar(0x240A), u'\n');
    return text;
}

} // namespace

class TestMainWindowConversion : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void convertsWithBothBoxesChecked();
    void optionsComeFromTheControls();
    void cellSize8x16ComesFromOption5();
    void emptyInputShowsTheMessageAndWritesNothing();
    void refusedRunLeavesEveryFileAsItWas();

private:
    template<typename T = QWidget>
    T *control(const char *name) { return m_form->findChild<T *>(QLatin1String(name)); }
    QPlainTextEdit *srcTxt() { return control<QPlainTextEdit>("SrcTxt"); }
    QPlainTextEdit *text2() { return control<QPlainTextEdit>("Text2"); }
    StatusPanels *panels() { return control<StatusPanels>("StaB1"); }
    void click(const char *name)
    {
        QWidget *widget = control(name);
        QVERIFY(widget);
        if (qobject_cast<QPushButton *>(widget))
            QTest::mouseClick(widget, Qt::LeftButton);
        else
            QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(7, widget->height() / 2));
    }
    void typeMixedText() // A, 中, Enter, 1: five characters with the line break
    {
        QTest::keyClicks(srcTxt(), QStringLiteral("A"));
        commitText(srcTxt(), QStringLiteral("中"));
        QTest::keyClick(srcTxt(), Qt::Key_Return);
        QTest::keyClicks(srcTxt(), QStringLiteral("1"));
    }

    std::unique_ptr<TestServices> m_env;
    std::unique_ptr<Form1> m_form;
};

void TestMainWindowConversion::init()
{
    m_env = std::make_unique<TestServices>();
    m_form = std::make_unique<Form1>(m_env->services);
    m_form->show();
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
}

void TestMainWindowConversion::cleanup()
{
    m_form.reset();
    m_env.reset();
}

void TestMainWindowConversion::convertsWithBothBoxesChecked()
{
    typeMixedText();
    click("Command1");

    QVERIFY(m_env->messageBox.prompts.isEmpty());
    QCOMPARE(panels()->panelText(3), QStringLiteral("转换完成 共： 160个字模"));
    const QLabel *panel3 = panels()->panelLabel(3);
    QVERIFY(panel3->fontMetrics().horizontalAdvance(panel3->text()) <= panel3->width());

    // The input went to the core with its line break as CR LF.
    QCOMPARE(m_env->fileBytes(QStringLiteral("Tempchar.txt")),
             QByteArray("A\xD6\xD0\r\n1\r\n"));
    const QByteArray hz = m_env->fileBytes(QStringLiteral("hz.txt"));
    QVERIFY(!hz.isEmpty());
    QCOMPARE(outputText(text2()), cp936::decode(hz));
    QVERIFY(cp936::decode(hz).contains(QStringLiteral("//中\r\n")));
    QVERIFY(cp936::decode(hz).contains(QStringLiteral("//\r\r\n"))); // the CR's own comment

    // Both check boxes checked: every text cell is inverted and mirrored,
    // and the buffer's final byte is inverted too.
    const QByteArray bin = m_env->fileBytes(QStringLiteral("zimuo.bin"));
    QCOMPARE(bin.size(), 5 * 32 + 353);
    QCOMPARE(at(bin, bin.size() - 1), quint8(0xFF));
    for (int row = 0; row < 16; ++row)
        QCOMPARE(at(bin, 2 * row + 1), quint8(0xFF)); // the ASCII cell's unused right half
}

void TestMainWindowConversion::optionsComeFromTheControls()
{
    commitText(srcTxt(), QStringLiteral("A中"));
    click("Command1");
    const QByteArray both = m_env->fileBytes(QStringLiteral("zimuo.bin"));
    QVERIFY(cp936::decode(m_env->fileBytes(QStringLiteral("hz.txt"))).contains(QStringLiteral("0x")));

    // Neither invert nor mirror, and A51.
    click("Check1");
    click("Check2");
    click("Option1");
    QVERIFY(control<QRadioButton>("Option1")->isChecked());
    QVERIFY(!control<QCheckBox>("Check1")->isChecked());
    QVERIFY(!control<QCheckBox>("Check2")->isChecked());
    click("Command1");
    const QByteArray plain = m_env->fileBytes(QStringLiteral("zimuo.bin"));
    const QString hz = cp936::decode(m_env->fileBytes(QStringLiteral("hz.txt")));
    QCOMPARE(outputText(text2()), hz);
    QVERIFY2(hz.contains(QStringLiteral("DB  ")), qPrintable(hz));
    QVERIFY(hz.contains(QStringLiteral(";中\r\n")));
    QVERIFY(!hz.contains(QStringLiteral("0x")));

    QCOMPARE(both.size(), plain.size());
    QCOMPARE(at(plain, plain.size() - 1), quint8(0x00));
    bool anyDot = false;
    for (int row = 0; row < 16; ++row) {
        // Cell 0, the ASCII A: the left byte mirrored in place and inverted.
        QCOMPARE(at(both, 2 * row), quint8(~reversed(at(plain, 2 * row))));
        QCOMPARE(at(plain, 2 * row + 1), quint8(0x00));
        // Cell 1, 中: a 16-dot mirror swaps the two bytes of each row.
        QCOMPARE(at(both, 32 + 2 * row), quint8(~reversed(at(plain, 32 + 2 * row + 1))));
        QCOMPARE(at(both, 32 + 2 * row + 1), quint8(~reversed(at(plain, 32 + 2 * row))));
        anyDot = anyDot || at(plain, 32 + 2 * row) != 0;
    }
    QVERIFY(anyDot); // 中 has dots, so the comparisons above mean something
}

void TestMainWindowConversion::cellSize8x16ComesFromOption5()
{
    click("Option5");
    QTest::keyClicks(srcTxt(), QStringLiteral("ABC"));
    click("Command1");
    QCOMPARE(panels()->panelText(3), QStringLiteral("转换完成 共： 64个字模"));
    QCOMPARE(m_env->fileBytes(QStringLiteral("zimuo.bin")).size(), 3 * 32 + 353);
    const QString hz = cp936::decode(m_env->fileBytes(QStringLiteral("hz.txt")));
    QVERIFY(hz.contains(QStringLiteral("//AB\r\n")));
    QCOMPARE(outputText(text2()), hz);
}

void TestMainWindowConversion::emptyInputShowsTheMessageAndWritesNothing()
{
    QString panel3AtMessage;
    QString text2AtMessage = QStringLiteral("not looked at");
    m_env->messageBox.onShow = [&](const Prompt &) {
        panel3AtMessage = panels()->panelText(3);
        text2AtMessage = text2()->toPlainText();
    };
    click("Command1");

    QCOMPARE(m_env->messageBox.prompts.size(), 1);
    const Prompt &prompt = m_env->messageBox.prompts.first();
    QCOMPARE(prompt.prompt, QStringLiteral("你还没有输入要取模的字符！！！"));
    QCOMPARE(prompt.style, 48);
    QCOMPARE(prompt.title, QStringLiteral("Qorvath 欢迎您"));
    // The output box was cleared and the progress text shown before the run.
    QCOMPARE(text2AtMessage, QString());
    QCOMPARE(panel3AtMessage, QStringLiteral("正在进行转换，请稍等...."));
    QCOMPARE(panels()->panelText(3), QString());
    QCOMPARE(text2()->toPlainText(), QString());
    for (const char *name : {"hz.txt", "zimuo.bin", "Tempchar.txt"})
        QVERIFY2(!m_env->exists(QLatin1String(name)), name);
}

void TestMainWindowConversion::refusedRunLeavesEveryFileAsItWas()
{
    commitText(srcTxt(), QStringLiteral("中"));
    click("Command1");
    const QByteArray hz = m_env->fileBytes(QStringLiteral("hz.txt"));
    const QByteArray bin = m_env->fileBytes(QStringLiteral("zimuo.bin"));
    const QByteArray temp = m_env->fileBytes(QStringLiteral("Tempchar.txt"));
    QVERIFY(!hz.isEmpty() && !bin.isEmpty() && !temp.isEmpty());

    // A character neither font library holds.
    commitText(srcTxt(), QStringLiteral("😀"));
    click("Command1");

    QCOMPARE(m_env->messageBox.prompts.size(), 1);
    const Prompt &prompt = m_env->messageBox.prompts.first();
    QCOMPARE(prompt.style, 48);
    QCOMPARE(prompt.title, QStringLiteral("Qorvath 欢迎您"));
    QVERIFY(!prompt.prompt.isEmpty());
    QVERIFY(prompt.prompt != QStringLiteral("你还没有输入要取模的字符！！！"));
    QCOMPARE(panels()->panelText(3), QString());
    QCOMPARE(text2()->toPlainText(), QString());
    QCOMPARE(m_env->fileBytes(QStringLiteral("hz.txt")), hz);
    QCOMPARE(m_env->fileBytes(QStringLiteral("zimuo.bin")), bin);
    QCOMPARE(m_env->fileBytes(QStringLiteral("Tempchar.txt")), temp);
}

QTEST_MAIN(TestMainWindowConversion)
#include "test_main_window_conversion.moc"
