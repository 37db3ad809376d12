#include "download/download_window.h"

#include "core/maker_texts.h"
#include "download/download_texts.h"
#include "download/file_filter.h"
#include "download/glyph_file.h"
#include "platform/app_dir.h"
#include "platform/code_page_936.h"
#include "platform/serial/com1_device.h"
#include "platform/serial/ms_comm1.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QPushButton>

namespace ledglyph {

namespace texts = download_texts;

namespace {

constexpr int twipsPerPixel = 15;

// Places a control given in twips of the window's client area, inside `frame`
// whose own client position is `frameLeft`, `frameTop` (twips).
void place(QWidget *control, int left, int top, int width, int height, int frameLeft, int frameTop)
{
    control->setGeometry((left - frameLeft) / twipsPerPixel, (top - frameTop) / twipsPerPixel,
                         width / twipsPerPixel, height / twipsPerPixel);
}

QPushButton *makeButton(QWidget *frame, const char *name, const QString &caption)
{
    auto *button = new QPushButton(caption, frame);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
    return button;
}

} // namespace

Form3::Form3(DesktopServices &services, QWidget *parent)
    : Form3(services, std::make_unique<MSComm1>(com1DeviceName()), parent)
{
}

Form3::Form3(DesktopServices &services, std::unique_ptr<SerialLink> link, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                          | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      m_services(services), m_messageBox(services.messageBox, *this), m_link(std::move(link)),
      m_log(services.clock)
{
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(maker::downloadWindowCaption);
    setFixedSize(11055 / twipsPerPixel, 5505 / twipsPerPixel);
    m_link->setParent(nullptr);
    m_protocol = new DownloadProtocol(*m_link, m_messageBox, m_log, this);
    buildControls();

    connect(&m_log, &DownloadLog::changed, this, &Form3::showText);
    connect(m_protocol, &DownloadProtocol::buttonsChanged, this, &Form3::showButtons);
    connect(m_combo2, &QComboBox::currentIndexChanged, m_protocol, &DownloadProtocol::setSpeedIndex);
    connect(m_command4, &QPushButton::clicked, this, &Form3::openFile);
    connect(m_command1, &QPushButton::clicked, m_protocol, &DownloadProtocol::openPort);
    connect(m_command3, &QPushButton::clicked, m_protocol, &DownloadProtocol::closePort);
    connect(m_command2, &QPushButton::clicked, m_protocol, &DownloadProtocol::download);
    connect(m_command5, &QPushButton::clicked, this, &Form3::returnRequested);

    formLoad();
    showButtons();
}

Form3::~Form3()
{
    // The protocol goes first; the port it used closes with it.
    delete m_protocol;
    m_protocol = nullptr;
}

void Form3::buildControls()
{
    m_frame2 = new QGroupBox(texts::settingsFrame, this);
    m_frame2->setObjectName(QStringLiteral("Frame2"));
    place(m_frame2, 120, 120, 1575, 5055, 0, 0);
    m_frame1 = new QGroupBox(texts::sendFrame, this);
    m_frame1->setObjectName(QStringLiteral("Frame1"));
    place(m_frame1, 1800, 120, 9135, 5055, 0, 0);

    m_combo1 = new QComboBox(m_frame2);
    m_combo1->setObjectName(QStringLiteral("Combo1"));
    place(m_combo1, 240, 480, 1335, 300, 120, 120);
    m_combo2 = new QComboBox(m_frame2);
    m_combo2->setObjectName(QStringLiteral("Combo2"));
    place(m_combo2, 240, 1080, 1335, 300, 120, 120);

    m_command4 = makeButton(m_frame2, "Command4", texts::openFileButton);
    place(m_command4, 240, 1680, 1335, 495, 120, 120);
    m_command1 = makeButton(m_frame2, "Command1", texts::openPortButton);
    place(m_command1, 240, 2400, 1335, 495, 120, 120);
    m_command3 = makeButton(m_frame2, "Command3", texts::closePortButton);
    place(m_command3, 240, 3120, 1335, 495, 120, 120);
    m_command2 = makeButton(m_frame2, "Command2", texts::sendButton);
    place(m_command2, 240, 3840, 1335, 495, 120, 120);
    m_command5 = makeButton(m_frame2, "Command5", texts::returnButton);
    place(m_command5, 240, 4560, 1335, 495, 120, 120);

    m_text1 = new QPlainTextEdit(m_frame1);
    m_text1->setObjectName(QStringLiteral("Text1"));
    m_text1->setReadOnly(true);
    // Read-only, yet with a caret that the log puts behind the newest line.
    m_text1->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_text1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_text1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_text1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_text1->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    place(m_text1, 1920, 480, 8895, 4455, 1800, 120);

    // Tab order: Text1, 返回, 打开文件, 关闭串口, 发送数据, 打开串口, Combo1, Combo2.
    QWidget::setTabOrder(m_text1, m_command5);
    QWidget::setTabOrder(m_command5, m_command4);
    QWidget::setTabOrder(m_command4, m_command3);
    QWidget::setTabOrder(m_command3, m_command2);
    QWidget::setTabOrder(m_command2, m_command1);
    QWidget::setTabOrder(m_command1, m_combo1);
    QWidget::setTabOrder(m_combo1, m_combo2);
}

void Form3::formLoad()
{
    m_combo1->addItems(texts::displayModes);
    m_combo2->addItems(texts::speeds);
    m_combo1->setCurrentIndex(0);
    m_combo2->setCurrentIndex(0);
    m_protocol->setSpeedIndex(m_combo2->currentIndex());

    const QString helpPath = pathIn(m_services.appDir, texts::helpFileName);
    QFile help(helpPath);
    if (help.open(QIODevice::ReadOnly)) {
        const QByteArray bytes = help.readAll();
        if (help.error() == QFileDevice::NoError) {
            m_log.replace(cp936::decode(bytes), false);
            return;
        }
    }
    m_log.replace(texts::helpFileUnreadable(helpPath, help.errorString()), false);
}

void Form3::openFile()
{
    const QString chosen = m_services.fileDialog.getOpenFileName(this, qtFileFilter(texts::fileFilter));
    // Like a classic dialog's FileName, a cancelled dialog leaves the previous choice.
    const QString path = chosen.isEmpty() ? m_protocol->filePath() : chosen;
    if (path.isEmpty())
        return;
    const GlyphFile file = readGlyphFile(path);
    if (!file.ok()) {
        m_messageBox.show(file.problem, MessageIcon::Exclamation, texts::portTitle);
        return;
    }
    m_protocol->chooseFile(path);
    m_log.replace(hexListing(file.bytes) + QStringLiteral("\r\n") + sizeLine(file.bytes.size())
                      + m_log.timeOfDay(),
                  true);
}

void Form3::showText(bool focusAtEnd)
{
    QString shown = m_log.text();
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    m_text1->setPlainText(shown);
    if (focusAtEnd) {
        m_text1->setFocus(Qt::OtherFocusReason);
        m_text1->moveCursor(QTextCursor::End);
    }
}

void Form3::showButtons()
{
    const DownloadButtons buttons = m_protocol->buttons();
    m_command1->setEnabled(buttons.openPort);
    m_command3->setEnabled(buttons.closePort);
    m_command2->setEnabled(buttons.send);
}

void Form3::closeEvent(QCloseEvent *event)
{
    // Closing the window ends the poll and closes the port.
    m_protocol->shutDown();
    QWidget::closeEvent(event);
}

} // namespace ledglyph
