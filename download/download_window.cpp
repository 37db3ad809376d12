#include "download/download_window.h"

#include "download/download_texts.h"
#include "download/glyph_file.h"
#include "download/port_texts.h"
#include "platform/app_dir.h"
#include "platform/code_page_936.h"
#include "platform/gui/twips.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>

namespace ledglyph {

namespace texts = download_texts;

namespace {

// Places a control given in twips of the window's client area, inside `frame`
// whose own client position is `frameLeft`, `frameTop` (twips).
void place(QWidget *control, int left, int top, int width, int height, int frameLeft, int frameTop)
{
    twips::place(control, {left - frameLeft, top - frameTop, width, height});
}

QPushButton *makeButton(QWidget *frame, const char *name, const QString &caption)
{
    auto *button = new QPushButton(caption, frame);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(true); // Enter presses the focused button, as Space does
    return button;
}

} // namespace

DownloadWindow::DownloadWindow(DesktopServices &services, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                          | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      m_services(services), m_messageBox(services.messageBox, *this),
      m_link(services.makeSerialLink()), m_log(services.clock), m_protocol(*m_link, m_log, this)
{
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(download_texts::windowCaption);
    setFixedSize(twips::toPixels(11055), twips::toPixels(5505));
    buildControls();

    connect(&m_log, &DownloadLog::changed, this, &DownloadWindow::showLog);
    connect(&m_protocol, &DownloadProtocol::buttonsChanged, this, &DownloadWindow::showButtons);
    connect(m_speedList, &QComboBox::currentIndexChanged, &m_protocol, &DownloadProtocol::setSpeedIndex);
    connect(m_openFileButton, &QPushButton::clicked, this, &DownloadWindow::onOpenFileClicked);
    connect(m_openPortButton, &QPushButton::clicked, this, &DownloadWindow::onOpenPortClicked);
    // After DownloadPrompts' own handler, which was connected first.
    connect(&m_protocol, &DownloadProtocol::pollingStarted, this, &DownloadWindow::onPollingStarted);
    connect(m_closePortButton, &QPushButton::clicked, &m_protocol, &DownloadProtocol::closePort);
    connect(m_sendButton, &QPushButton::clicked, &m_protocol, &DownloadProtocol::download);
    connect(m_returnButton, &QPushButton::clicked, this, &DownloadWindow::returnRequested);
    connect(&m_protocol, &DownloadProtocol::transferProgressed, this, &DownloadWindow::showProgress);
    connect(&m_protocol, &DownloadProtocol::reported, this, &DownloadWindow::onReported);
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_P), this), &QShortcut::activated, this,
            &DownloadWindow::onPreviewShortcut);
    // After the window's own handlers: the progress line is up to date when a box shows.
    m_prompts = std::make_unique<DownloadPrompts>(m_protocol, m_messageBox);

    fillLists();
    showHelpText();
    showButtons();
}

void DownloadWindow::buildControls()
{
    m_settingsFrame = new QGroupBox(texts::settingsFrame, this);
    m_settingsFrame->setObjectName(QStringLiteral("Frame2"));
    place(m_settingsFrame, 120, 120, 1575, 5055, 0, 0);
    m_sendFrame = new QGroupBox(texts::sendFrame, this);
    m_sendFrame->setObjectName(QStringLiteral("Frame1"));
    place(m_sendFrame, 1800, 120, 9135, 5055, 0, 0);

    m_displayModeList = new QComboBox(m_settingsFrame);
    m_displayModeList->setObjectName(QStringLiteral("Combo1"));
    place(m_displayModeList, 240, 480, 1335, 300, 120, 120);
    m_speedList = new QComboBox(m_settingsFrame);
    m_speedList->setObjectName(QStringLiteral("Combo2"));
    place(m_speedList, 240, 1080, 1335, 300, 120, 120);

    m_openFileButton = makeButton(m_settingsFrame, "Command4", texts::openFileButton);
    place(m_openFileButton, 240, 1680, 1335, 495, 120, 120);
    m_openPortButton = makeButton(m_settingsFrame, "Command1", texts::openPortButton);
    place(m_openPortButton, 240, 2400, 1335, 495, 120, 120);
    m_closePortButton = makeButton(m_settingsFrame, "Command3", texts::closePortButton);
    place(m_closePortButton, 240, 3120, 1335, 495, 120, 120);
    m_sendButton = makeButton(m_settingsFrame, "Command2", texts::sendButton);
    place(m_sendButton, 240, 3840, 1335, 495, 120, 120);
    m_returnButton = makeButton(m_settingsFrame, "Command5", texts::returnButton);
    place(m_returnButton, 240, 4560, 1335, 495, 120, 120);

    m_logBox = new QPlainTextEdit(m_sendFrame);
    m_logBox->setObjectName(QStringLiteral("Text1"));
    m_logBox->setReadOnly(true);
    // Read-only, yet with a caret that the log puts behind the newest line.
    m_logBox->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_logBox->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_logBox->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_logBox->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_logBox->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    place(m_logBox, 1920, 480, 8895, 4455, 1800, 120);

    // The strip below the frames (5175 to 5505 twips) is free; its right part
    // shows how far a transfer is.
    m_progressLine = new QLabel(this);
    m_progressLine->setObjectName(QStringLiteral("transferProgress"));
    m_progressLine->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    place(m_progressLine, 6750, 5190, 4185, 300, 0, 0);

    // Tab order: Text1, 返回, 打开文件, 关闭串口, 发送数据, 打开串口, Combo1, Combo2.
    QWidget::setTabOrder(m_logBox, m_returnButton);
    QWidget::setTabOrder(m_returnButton, m_openFileButton);
    QWidget::setTabOrder(m_openFileButton, m_closePortButton);
    QWidget::setTabOrder(m_closePortButton, m_sendButton);
    QWidget::setTabOrder(m_sendButton, m_openPortButton);
    QWidget::setTabOrder(m_openPortButton, m_displayModeList);
    QWidget::setTabOrder(m_displayModeList, m_speedList);

    // The free strip under the frames (y 345 to 366), its left part; the right
    // part stays free for other notes.
    m_portChooser = new PortChooser(*m_services.com1Ports, this);
    m_portChooser->setGeometry(8, twips::toPixels(5175) + 1, 432, 21);
    QWidget::setTabOrder(m_speedList, m_portChooser->list());
    m_logBox->setFocus(); // the window opens with the focus at the start of that order
}

void DownloadWindow::fillLists()
{
    m_displayModeList->addItems(texts::displayModes);
    m_speedList->addItems(texts::speeds);
    m_displayModeList->setCurrentIndex(0);
    m_speedList->setCurrentIndex(0);
    m_protocol.setSpeedIndex(m_speedList->currentIndex());
}

void DownloadWindow::showHelpText()
{
    const QString helpPath = pathIn(m_services.appDir, texts::helpFileName);
    QFile help(helpPath);
    if (help.open(QIODevice::ReadOnly)) {
        const QByteArray bytes = help.readAll();
        if (help.error() == QFileDevice::NoError) {
            // The file's lines end in CR LF; the box's text breaks them with line feeds alone.
            QString text = cp936::decode(bytes);
            text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
            m_log.replace(text, DownloadLog::Focus::Unchanged);
            return;
        }
    }
    m_log.replace(texts::helpFileUnreadable(helpPath, help.errorString()), DownloadLog::Focus::Unchanged);
}

void DownloadWindow::onOpenFileClicked()
{
    const QString chosen = m_services.fileDialog.getOpenFileName(this, texts::fileFilter);
    // Like a classic dialog's FileName, a cancelled dialog leaves the previous choice.
    const QString path = chosen.isEmpty() ? m_protocol.filePath() : chosen;
    if (path.isEmpty())
        return;
    const Result<QByteArray> file = readGlyphFile(path);
    if (!file.ok()) {
        m_messageBox.show(file.error().message, MessageIcon::Exclamation, texts::portTitle);
        return;
    }
    m_protocol.chooseFile(path);
    m_progressLine->clear();
    m_log.replace(hexListing(file.value()) + u'\n' + sizeLine(file.value().size())
                      + m_log.timeOfDay(),
                  DownloadLog::Focus::AtEnd);
    if (const std::optional<QString> warning = boardRefusalWarning(file.value().size()))
        m_log.append(*warning);
}

// With no device decided the port is not tried: the user is asked to pick one.
void DownloadWindow::onOpenPortClicked()
{
    m_portChooser->refresh();
    const PortChoice &choice = m_portChooser->choice();
    if (!choice.decided()) {
        m_messageBox.show(port_texts::undecidedPrompt(m_portChooser->present()), MessageIcon::Exclamation,
                          texts::portTitle);
        return;
    }
    m_link->setDeviceName(choice.device);
    m_protocol.openPort();
}

// The device's line follows "串口已打开". A port that failed meanwhile is closed.
void DownloadWindow::onPollingStarted()
{
    if (!m_link->isOpen())
        return;
    m_portChooser->rememberOpened();
    m_log.append(port_texts::com1Line(m_link->deviceName(), m_portChooser->present()));
}

void DownloadWindow::showLog(DownloadLog::Focus focus)
{
    m_logBox->setPlainText(m_log.text());
    if (focus == DownloadLog::Focus::AtEnd) {
        m_logBox->setFocus(Qt::OtherFocusReason);
        m_logBox->moveCursor(QTextCursor::End);
    }
}

void DownloadWindow::showButtons()
{
    const DownloadButtons buttons = m_protocol.buttons();
    m_openPortButton->setEnabled(buttons.openPort);
    m_closePortButton->setEnabled(buttons.closePort);
    m_sendButton->setEnabled(buttons.send);
    m_openFileButton->setEnabled(buttons.openFile);
    // "关闭串口" is on exactly while the port is open; its device stays until it closes.
    m_portChooser->setLocked(buttons.closePort);
}

void DownloadWindow::showProgress(qint64 sent, qint64 total)
{
    m_progressLine->setText(texts::transferProgress(sent, total));
}

// The progress line keeps the last word on the transfer: done, or nothing when it ended early.
void DownloadWindow::onReported(const DownloadReport &report)
{
    if (report.kind == DownloadReport::Kind::TransferCompleted)
        m_progressLine->setText(texts::transferDone(m_protocol.lastTransferBytes()));
    else if (report.kind != DownloadReport::Kind::NoSpeedChosen)
        m_progressLine->clear();
}

void DownloadWindow::onPreviewShortcut()
{
    // The file as a transfer would send it now: read again from its path.
    preview::PreviewSource source{.speedCode = m_speedList->currentIndex() + LEDGLYPH_SPEED_MIN,
                                  .missing = preview::noFileOpened};
    if (!m_protocol.filePath().isEmpty()) {
        const Result<QByteArray> file = readGlyphFile(m_protocol.filePath());
        if (file.ok())
            source.glyphs = file.value();
        else
            source.missing = file.error().message;
    }
    emit previewRequested(source);
}

void DownloadWindow::closeEvent(QCloseEvent *event)
{
    // Closing the window ends the poll and closes the port.
    m_protocol.closePort();
    QWidget::closeEvent(event);
}

} // namespace ledglyph
