#include "ui/main_window.h"

#include "core/maker_texts.h"
#include "platform/date_time_text.h"
#include "ui/about_window.h"
#include "ui/help_text.h"
#include "ui/input_monitor.h"
#include "ui/main_window_texts.h"
#include "ui/status_panels.h"
#include "ui/text_box_text.h"

#include <QAction>
#include <QCheckBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTimer>

namespace ledglyph {

Form1::Form1(DesktopServices &services, QWidget *parent)
    : QMainWindow(parent), m_services(services), m_messageBox(services.messageBox, *this),
      m_run(services.appDir, services.outputFolder(), services.clock)
{
    createControls();
    createMenu();
    setTabOrderOfControls();

    m_inputMonitor = new InputMonitor(*m_srcTxt, *m_option5, *m_staB1, m_messageBox, this);

    connect(m_command1, &QPushButton::clicked, this, &Form1::command1Click);
    connect(m_command2, &QPushButton::clicked, this, &Form1::downloadRequested);
    connect(m_exet, &QPushButton::clicked, this, [this] { m_services.quit(); });
    // An option's handler runs on every click or keyboard selection, also of
    // the option already selected (the lone horizontal option relies on it);
    // a check box's on every change, checked or unchecked.
    connect(m_option1, &QRadioButton::clicked, this, &Form1::option1Click);
    connect(m_option2, &QRadioButton::clicked, this, &Form1::option2Click);
    connect(m_option3, &QRadioButton::clicked, this, &Form1::option3Click);
    connect(m_option5, &QRadioButton::clicked, this, &Form1::option5Click);
    connect(m_option6, &QRadioButton::clicked, this, &Form1::option6Click);
    connect(m_check1, &QCheckBox::toggled, this, &Form1::check1Click);
    connect(m_check2, &QCheckBox::toggled, this, &Form1::check2Click);
    connect(m_timer1, &QTimer::timeout, this, &Form1::timer1Timer);
    connect(m_ex, &QAction::triggered, this, [this] { m_services.quit(); });
    connect(m_w, &QAction::triggered, this, &Form1::wClick);
    connect(m_g, &QAction::triggered, this, &Form1::gClick);

    formLoad();
    m_timer1->start();
    m_srcTxt->setFocus(Qt::OtherFocusReason);
}

Form1::~Form1() = default;

void Form1::formLoad()
{
    m_staB1->setPanelText(1, maker::webAddress);
    m_staB1->setPanelText(2, form1_texts::enterCharacters);
    m_staB1->setPanelText(4, form1_texts::formatC51);
    showExactText(*m_text2, startUpHelpText());
}

void Form1::refocus()
{
    focusAtEnd(*m_srcTxt);
    // Arrow keys in an option group move the focus onto the new option after
    // its handler ran; take it back once that is done.
    if (auto *control = qobject_cast<QWidget *>(sender())) {
        QTimer::singleShot(0, this, [this, option = QPointer<QWidget>(control)] {
            if (option && option->hasFocus())
                focusAtEnd(*m_srcTxt);
        });
    }
}

ConversionOptions Form1::optionsFromControls() const
{
    ConversionOptions options;
    options.format = m_option2->isChecked() ? OutputFormat::C51 : OutputFormat::A51;
    options.cellMode = m_option5->isChecked() ? CellMode::Cell8x16 : CellMode::Cell16x16;
    options.invert = m_check1->isChecked();
    options.mirror = m_check2->isChecked();
    return options;
}

void Form1::command1Click()
{
    m_text2->clear();
    m_staB1->setPanelText(3, ConversionRun::progressText());
    m_staB1->repaint(); // the run holds the event loop; show the progress text now

    const RunOutcome outcome = m_run.run(crLfText(*m_srcTxt), optionsFromControls());
    switch (outcome.kind) {
    case RunOutcome::Kind::Completed:
        showExactText(*m_text2, outcome.glyphText());
        m_staB1->setPanelText(3, outcome.message);
        break;
    case RunOutcome::Kind::EmptyInput:
    case RunOutcome::Kind::Refused:
        // Nothing was written; the message says what to change.
        m_messageBox.show(outcome.message, MsgStyle::Exclamation, maker::welcomeTitle);
        m_staB1->clearPanel(3);
        break;
    }
    // Whatever the outcome, the user goes on typing where the text ends
    // (otherwise the keys go to the button, and Space converts again).
    focusAtEnd(*m_srcTxt);
}

void Form1::option1Click()
{
    m_staB1->setPanelText(4, form1_texts::formatA51);
    showExactText(*m_text2, form1_texts::explainA51);
    refocus();
}

void Form1::option2Click()
{
    m_staB1->setPanelText(4, form1_texts::formatC51);
    showExactText(*m_text2, form1_texts::explainC51);
    refocus();
}

void Form1::option3Click()
{
    m_staB1->setPanelText(3, form1_texts::horizontalMode);
    refocus();
}

void Form1::option5Click()
{
    showExactText(*m_text2, form1_texts::explain8x16);
    {
        // Emptying the box is a change of its text even when it was empty
        // already; run the monitoring exactly once for it.
        const QSignalBlocker quiet(m_srcTxt);
        m_srcTxt->clear();
    }
    m_inputMonitor->srcTxtChange();
    refocus();
}

void Form1::option6Click()
{
    showExactText(*m_text2, form1_texts::explain16x16);
    refocus();
}

void Form1::check1Click()
{
    showExactText(*m_text2, form1_texts::explainInvert);
    refocus();
}

void Form1::check2Click()
{
    // The focus stays where it is (on the check box after a click).
    showExactText(*m_text2, form1_texts::explainMirror);
}

void Form1::timer1Timer()
{
    const QDateTime now = m_services.clock.now();
    m_staB1->setPanelText(6, timeText(now.time()));
    m_staB1->setPanelText(5, dateText(now.date()));
}

void Form1::gClick()
{
    // One about window for the whole program: it is independent of this window,
    // may outlive it (and keep the program running), and a main window created
    // anew after a trip to the download window finds it still open.
    static QPointer<Form2> about;
    if (!about) {
        about = new Form2(m_services.launcher);
        about->setAttribute(Qt::WA_DeleteOnClose);
        // It opens centred on this window, not in a corner of the screen.
        QRect placed = about->frameGeometry();
        placed.moveCenter(frameGeometry().center());
        about->move(placed.topLeft());
    }
    about->show();
    about->raise();
    about->activateWindow();
}

void Form1::wClick()
{
    m_services.launcher.openAddress(maker::forumAddress);
}

} // namespace ledglyph
