#pragma once

// The controls of the main window (Form1), the about window (Form2) and the
// download window (Form3) by what they do. The windows find them by the
// objectNames they keep; only this file spells those names for reaching a
// control, and one table per window proves them
// (tests/ui/expected/main_window_layout.txt, the about window's labels in
// test_about_window_and_boxes, tests/download/expected/download_window_layout.txt).

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

namespace ledglyph::test {

// A window's control by its name; the test run ends when there is none.
template <typename T = QWidget>
T *controlOf(const QWidget *window, const QString &name)
{
    auto *found = window ? window->findChild<T *>(name) : nullptr;
    if (!found)
        qFatal("control %s not found", qPrintable(name));
    return found;
}

// A control as a line of a layout table: its name, its container when not
// `client`, its geometry in pixels (twips / 15), caption and tooltip.
inline QString describeControl(const QWidget *widget, const QWidget *client)
{
    QString text = widget->objectName();
    if (widget->parentWidget() != client)
        text += QStringLiteral(" in ") + widget->parentWidget()->objectName();
    const QRect at = widget->geometry();
    text += QStringLiteral(" at %1,%2 %3x%4").arg(at.x()).arg(at.y()).arg(at.width()).arg(at.height());
    const QString caption = widget->property(widget->inherits("QGroupBox") ? "title" : "text").toString();
    if (!caption.isEmpty())
        text += QStringLiteral(" '%1'").arg(caption);
    if (!widget->toolTip().isEmpty())
        text += QStringLiteral(" tip '%1'").arg(widget->toolTip());
    return widget->isVisible() ? text : text + QStringLiteral(" hidden");
}

class MainWindowControls {
public:
    explicit MainWindowControls(const QWidget *window = nullptr) : form1(window) {}

    QPlainTextEdit *inputBox() const { return controlOf<QPlainTextEdit>(form1, "SrcTxt"); }
    QPlainTextEdit *outputBox() const { return controlOf<QPlainTextEdit>(form1, "Text2"); }

    // 取模控制: the cell size and the output format
    QAbstractButton *cell16x16Option() const { return controlOf<QAbstractButton>(form1, "Option6"); }
    QAbstractButton *cell8x16Option() const { return controlOf<QAbstractButton>(form1, "Option5"); }
    QAbstractButton *c51Option() const { return controlOf<QAbstractButton>(form1, "Option2"); }
    QAbstractButton *a51Option() const { return controlOf<QAbstractButton>(form1, "Option1"); }

    // 取模控制: the direction and the bit transforms
    QAbstractButton *horizontalOption() const { return controlOf<QAbstractButton>(form1, "Option3"); }
    QAbstractButton *verticalOption() const { return controlOf<QAbstractButton>(form1, "Option4"); }
    QAbstractButton *invertCheck() const { return controlOf<QAbstractButton>(form1, "Check1"); }
    QAbstractButton *mirrorCheck() const { return controlOf<QAbstractButton>(form1, "Check2"); }

    // Buttons, the status bar and its clock
    QPushButton *convertButton() const { return controlOf<QPushButton>(form1, "Command1"); }
    QPushButton *downloadButton() const { return controlOf<QPushButton>(form1, "Command2"); }
    QPushButton *exitButton() const { return controlOf<QPushButton>(form1, "exet"); }
    QWidget *statusBar() const { return controlOf(form1, "StaB1"); }
    QTimer *clockTimer() const { return controlOf<QTimer>(form1, "Timer1"); }

    // 文件(F)
    QMenu *fileMenu() const { return controlOf<QMenu>(form1, "fa"); }
    QMenu *helpMenu() const { return controlOf<QMenu>(form1, "HE"); }
    QAction *exitAction() const { return controlOf<QAction>(form1, "ex"); }
    QAction *previewAction() const { return controlOf<QAction>(form1, "previewAction"); } // used by the screenshots
    QAction *openOutputFolderAction() const { return controlOf<QAction>(form1, "openOutputFolder"); }

    // 帮助(H)
    QAction *forumAction() const { return controlOf<QAction>(form1, "W"); }
    QAction *aboutAction() const { return controlOf<QAction>(form1, "g"); }

protected:
    const QWidget *form1;
};

class AboutWindowControls {
public:
    explicit AboutWindowControls(const QWidget *window = nullptr) : form2(window) {}

    QLabel *forumLink() const { return controlOf<QLabel>(form2, "Label4"); }
    // Every other label: the credits.
    QList<QLabel *> credits() const
    {
        QList<QLabel *> labels = form2->findChildren<QLabel *>();
        labels.removeOne(forumLink());
        return labels;
    }

protected:
    const QWidget *form2;
};

class DownloadWindowControls {
public:
    explicit DownloadWindowControls(const QWidget *window = nullptr) : form3(window) {}

    // 功能设置: the lists
    QComboBox *displayModeList() const { return controlOf<QComboBox>(form3, "Combo1"); }
    QComboBox *speedList() const { return controlOf<QComboBox>(form3, "Combo2"); }

    // 功能设置: the buttons
    QPushButton *openFileButton() const { return controlOf<QPushButton>(form3, "Command4"); }
    QPushButton *openPortButton() const { return controlOf<QPushButton>(form3, "Command1"); }
    QPushButton *closePortButton() const { return controlOf<QPushButton>(form3, "Command3"); }
    QPushButton *sendButton() const { return controlOf<QPushButton>(form3, "Command2"); }
    QPushButton *returnButton() const { return controlOf<QPushButton>(form3, "Command5"); }

    // The log box and the progress line
    QPlainTextEdit *logBox() const { return controlOf<QPlainTextEdit>(form3, "Text1"); }
    QLabel *progressLine() const { return controlOf<QLabel>(form3, "transferProgress"); }

protected:
    const QWidget *form3;
};

} // namespace ledglyph::test
