#include "ui/main_window.h"

#include "platform/date_time_text.h"
#include "platform/interrupted_writes.h"
#include "ui/help_text.h"
#include "ui/input_monitor.h"
#include "ui/main_window_texts.h"
#include "ui/outside_programs.h"
#include "ui/status_panels.h"
#include "ui/text_box_text.h"
#include "ui/window_texts.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QSignalBlocker>
#include <QTimer>

namespace ledglyph {

MainWindow::MainWindow(DesktopServices &services, QWidget *parent)
    : QMainWindow(parent), m_services(services), m_messageBox(services.messageBox, *this),
      m_run(services.appDir, services.outputFolder(), services.clock)
{
    // Outputs that a killed run (of the window or the command line) left
    // half replaced are put right before anything else.
    settleInterruptedWrites(services.outputFolder());
    createControls();
    createMenu();
    setTabOrderOfControls();

    m_inputMonitor = new InputMonitor(*m_inputBox, *m_cell8x16Option, *m_statusBar, m_messageBox, this);

    connect(m_convertButton, &QPushButton::clicked, this, &MainWindow::onConvertClicked);
    connect(m_downloadButton, &QPushButton::clicked, this, &MainWindow::downloadRequested);
    connect(m_quitButton, &QPushButton::clicked, this, [this] { m_services.quit(); });
    // An option's handler runs on every click or keyboard selection, also of
    // the option already selected (the lone horizontal option relies on it);
    // a check box's on every change, checked or unchecked.
    connect(m_a51Option, &QRadioButton::clicked, this, &MainWindow::onA51Clicked);
    connect(m_c51Option, &QRadioButton::clicked, this, &MainWindow::onC51Clicked);
    connect(m_horizontalOption, &QRadioButton::clicked, this, &MainWindow::onHorizontalClicked);
    connect(m_cell8x16Option, &QRadioButton::clicked, this, &MainWindow::onCell8x16Clicked);
    connect(m_cell16x16Option, &QRadioButton::clicked, this, &MainWindow::onCell16x16Clicked);
    connect(m_invertCheck, &QCheckBox::toggled, this, &MainWindow::onInvertToggled);
    connect(m_mirrorCheck, &QCheckBox::toggled, this, &MainWindow::onMirrorToggled);
    connect(m_clockTimer, &QTimer::timeout, this, &MainWindow::onClockTick);
    connect(m_quitAction, &QAction::triggered, this, [this] { m_services.quit(); });
    connect(m_forumAction, &QAction::triggered, this, &MainWindow::openForum);
    connect(m_openOutputFolderAction, &QAction::triggered, this,
            [this] { openOutputFolder(m_services.launcher, m_messageBox, m_services.outputFolder()); });
    connect(m_aboutAction, &QAction::triggered, this, &MainWindow::aboutRequested);
    connect(m_previewAction, &QAction::triggered, this, &MainWindow::onPreviewTriggered);
    // In the input box Enter is a line break; Ctrl+Enter converts.
    auto *convertKey = new QShortcut(m_inputBox);
    convertKey->setKeys({QKeySequence(Qt::CTRL | Qt::Key_Return), QKeySequence(Qt::CTRL | Qt::Key_Enter)});
    convertKey->setContext(Qt::WidgetShortcut);
    connect(convertKey, &QShortcut::activated, m_convertButton, &QPushButton::click);

    showStartState();
    m_clockTimer->start();
    m_inputBox->setFocus(Qt::OtherFocusReason);
}

MainWindow::~MainWindow() = default;

void MainWindow::showStartState()
{
    m_statusBar->setPanelText(StatusPanel::Address, window_texts::webAddress);
    m_statusBar->setPanelText(StatusPanel::InputCounts, main_window_texts::enterCharacters);
    m_statusBar->setPanelText(StatusPanel::Format, main_window_texts::formatC51);
    showLaidOutText(startUpHelpText());
}

void MainWindow::showLaidOutText(const QString &text)
{
    // The help text is laid out with spaces, the glyph text in columns: their
    // lines must not break, and a long one scrolls.
    m_outputBox->setLineWrapMode(QPlainTextEdit::NoWrap);
    showExactText(*m_outputBox, text);
}

void MainWindow::showExplanation(const QString &text)
{
    // A handler's explanation is a sentence: it wraps at the box's edge and is seen whole.
    m_outputBox->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    showExactText(*m_outputBox, text);
}

void MainWindow::refocusInput()
{
    focusAtEnd(*m_inputBox);
    // Arrow keys in an option group move the focus onto the new option after
    // its handler ran; take it back once that is done.
    if (auto *control = qobject_cast<QWidget *>(sender())) {
        QTimer::singleShot(0, this, [this, option = QPointer<QWidget>(control)] {
            if (option && option->hasFocus())
                focusAtEnd(*m_inputBox);
        });
    }
}

ConversionOptions MainWindow::optionsFromControls() const
{
    return {
        .format = m_c51Option->isChecked() ? OutputFormat::C51 : OutputFormat::A51,
        .cellMode = m_cell8x16Option->isChecked() ? CellMode::Cell8x16 : CellMode::Cell16x16,
        .invert = m_invertCheck->isChecked(),
        .mirror = m_mirrorCheck->isChecked(),
    };
}

void MainWindow::onConvertClicked()
{
    m_outputBox->clear();
    m_statusBar->setPanelText(StatusPanel::Message, main_window_texts::conversionInProgress);
    m_statusBar->repaint(); // the run holds the event loop; show the progress text now

    const ConversionOptions options = optionsFromControls();
    const RunOutcome outcome = m_run.run(crLfText(*m_inputBox), options);
    switch (outcome.kind) {
    case RunOutcome::Kind::Completed:
        m_lastConversion = preview::PreviewSource{
            .glyphs = outcome.glyphFile, .madeWith = preview::PreviewSource::Options{options.invert, options.mirror}};
        showLaidOutText(outputsNamed() + outcome.glyphText());
        m_statusBar->setPanelText(StatusPanel::Message, outcome.message);
        if (!outcome.notice.isEmpty())
            m_messageBox.show(outcome.notice, MessageIcon::Information, window_texts::welcomeTitle);
        break;
    case RunOutcome::Kind::EmptyInput:
    case RunOutcome::Kind::Refused:
        // Nothing was written; the message says what to change.
        m_messageBox.show(outcome.message, MessageIcon::Exclamation, window_texts::welcomeTitle);
        m_statusBar->clearPanel(StatusPanel::Message);
        break;
    }
    // Whatever the outcome, the user goes on typing where the text ends
    // (otherwise the keys go to the button, and Space converts again).
    focusAtEnd(*m_inputBox);
}

QString MainWindow::outputsNamed() const
{
    // Where the outputs are not beside the program (an installed or read-only
    // one writes to the documents folder), one line above the glyph text says where.
    if (QDir(m_services.outputFolder()) == QDir(m_services.appDir))
        return {};
    return main_window_texts::outputsWrittenTo(QDir::toNativeSeparators(m_services.outputFolder()))
           + QStringLiteral("\r\n");
}

void MainWindow::onA51Clicked()
{
    m_statusBar->setPanelText(StatusPanel::Format, main_window_texts::formatA51);
    showExplanation(main_window_texts::explainA51);
    refocusInput();
}

void MainWindow::onC51Clicked()
{
    m_statusBar->setPanelText(StatusPanel::Format, main_window_texts::formatC51);
    showExplanation(main_window_texts::explainC51);
    refocusInput();
}

void MainWindow::onHorizontalClicked()
{
    m_statusBar->setPanelText(StatusPanel::Message, main_window_texts::horizontalMode);
    refocusInput();
}

void MainWindow::onCell8x16Clicked()
{
    showExplanation(main_window_texts::explain8x16);
    {
        // Emptying the box is a change of its text even when it was empty
        // already; run the monitoring exactly once for it.
        const QSignalBlocker quiet(m_inputBox);
        m_inputBox->clear();
    }
    m_inputMonitor->onInputChanged();
    refocusInput();
}

void MainWindow::onCell16x16Clicked()
{
    showExplanation(main_window_texts::explain16x16);
    refocusInput();
}

void MainWindow::onInvertToggled()
{
    showExplanation(main_window_texts::explainInvert);
    refocusInput();
}

void MainWindow::onMirrorToggled()
{
    // The focus stays where it is (on the check box after a click).
    showExplanation(main_window_texts::explainMirror);
}

void MainWindow::onClockTick()
{
    const QDateTime now = m_services.clock.now();
    m_statusBar->setPanelText(StatusPanel::Time, timeText(now.time()));
    m_statusBar->setPanelText(StatusPanel::Date, dateText(now.date()));
}

void MainWindow::openForum()
{
    ledglyph::openForum(m_services.launcher, m_messageBox);
}

void MainWindow::onPreviewTriggered()
{
    emit previewRequested(m_lastConversion.value_or(preview::PreviewSource{.missing = preview::noConversionYet}));
}

} // namespace ledglyph
