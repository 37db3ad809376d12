// The main window's controls: kinds, captions, containers, fixed positions
// (in twips), fonts, tooltips, start states, the menu and the tab order.

#include "ui/main_window.h"

#include "core/maker_texts.h"
#include "ui/classic_frame.h"
#include "ui/program_icon.h"
#include "ui/status_panels.h"
#include "ui/twips.h"
#include "ui/ui_fonts.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

namespace ledglyph {

namespace {

constexpr int kClientWidthTwips = 10260;
constexpr int kClientHeightTwips = 7485;

template<typename Widget, typename... Args>
Widget *named(const char *name, Args &&...args)
{
    auto *widget = new Widget(std::forward<Args>(args)...);
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QPlainTextEdit *textBox(const char *name, QWidget *parent)
{
    auto *box = named<QPlainTextEdit>(name, parent);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    box->setTabChangesFocus(true); // Tab moves on, as in every other control
    return box;
}

} // namespace

void MainWindow::createControls()
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(maker::mainWindowCaption);
    setWindowIcon(programIcon());
    setFont(fonts::windowDefault());

    m_client = new QWidget(this);
    m_client->setFixedSize(twips::toPixels(kClientWidthTwips), twips::toPixels(kClientHeightTwips));
    setCentralWidget(m_client);

    // Frames come first so that the controls drawn over them lie on top. Their
    // captions stand on the top border, clear of the controls below it.
    QGroupBox *frame1 = named<ClassicFrame>("Frame1", QStringLiteral("文字字符输入"), m_client);
    frame1->setFont(fonts::songTi(10.5));
    twips::place(frame1, 120, 120, 9975, 1095);

    QGroupBox *frame5 = named<ClassicFrame>("Frame5", QStringLiteral("取模控制"), m_client);
    frame5->setFont(fonts::songTi(10.5));
    twips::place(frame5, 120, 1320, 9975, 1575);

    QGroupBox *frame6 = named<ClassicFrame>("Frame6", frame5);
    frame6->setFont(fonts::windowDefault());
    twips::place(frame6, 120, 240, 1575, 1215);

    QGroupBox *frame3 = named<ClassicFrame>("Frame3", m_client);
    twips::place(frame3, 1920, 1560, 1695, 1215);

    QGroupBox *frame4 = named<ClassicFrame>("Frame4", m_client);
    twips::place(frame4, 3720, 1560, 1695, 1215);

    QGroupBox *frame2 = named<ClassicFrame>("Frame2", QStringLiteral("汉字字模"), m_client);
    frame2->setFont(fonts::songTi(10.5));
    twips::place(frame2, 120, 3000, 9975, 4095);

    m_inputBox = textBox("SrcTxt", m_client);
    m_inputBox->setToolTip(QStringLiteral("输入字符区"));
    twips::place(m_inputBox, 240, 360, 9615, 735);

    // Cell size group (container Frame6).
    m_cell16x16Option = named<QRadioButton>("Option6", QStringLiteral("16*16"), frame6);
    m_cell16x16Option->setFont(fonts::songTi(10.5));
    m_cell16x16Option->setChecked(true);
    twips::place(m_cell16x16Option, 360, 240, 855, 375);
    m_cell8x16Option = named<QRadioButton>("Option5", QStringLiteral(" 8*16"), frame6);
    m_cell8x16Option->setFont(fonts::songTi(10.5));
    twips::place(m_cell8x16Option, 360, 720, 855, 375);

    // Invert and output format, drawn over Frame3; the format pair's container
    // is the window itself.
    m_invertCheck = named<QCheckBox>("Check1", QStringLiteral("黑白反转"), m_client);
    m_invertCheck->setChecked(true);
    m_invertCheck->setToolTip(QStringLiteral("黑白反显示"));
    twips::place(m_invertCheck, 2280, 1680, 1095, 375);
    m_c51Option = named<QRadioButton>("Option2", QStringLiteral("C51格式"), m_client);
    m_c51Option->setChecked(true);
    twips::place(m_c51Option, 2280, 2040, 975, 375);
    m_a51Option = named<QRadioButton>("Option1", QStringLiteral("A51格式"), m_client);
    twips::place(m_a51Option, 2280, 2400, 975, 255);

    // Mirror drawn over Frame4; the scan direction pair lives in Frame4.
    m_mirrorCheck = named<QCheckBox>("Check2", QStringLiteral("左右对调"), m_client);
    m_mirrorCheck->setChecked(true);
    m_mirrorCheck->setToolTip(QStringLiteral("左右8位对调取模"));
    twips::place(m_mirrorCheck, 3960, 1680, 1095, 375);
    m_horizontalOption = named<QRadioButton>("Option3", QStringLiteral("横向取模"), frame4);
    m_horizontalOption->setChecked(true);
    twips::place(m_horizontalOption, 240, 480, 1095, 375);
    m_verticalOption = named<QRadioButton>("Option4", QStringLiteral("纵向取模"), frame4);
    m_verticalOption->setEnabled(false); // vertical extraction does not exist
    twips::place(m_verticalOption, 240, 840, 1095, 255);

    m_convertButton = named<QPushButton>("Command1", QStringLiteral("取 模"), m_client);
    m_convertButton->setFont(fonts::kaiTiBold(14.25));
    m_convertButton->setToolTip(QStringLiteral("点击生成字模"));
    twips::place(m_convertButton, 5520, 1800, 1335, 855);
    m_downloadButton = named<QPushButton>("Command2", QStringLiteral("串口下载"), m_client);
    twips::place(m_downloadButton, 7200, 2040, 1215, 495);
    m_quitButton = named<QPushButton>("exet", QStringLiteral("退出程序"), m_client);
    twips::place(m_quitButton, 8760, 2040, 1215, 495);

    m_outputBox = textBox("Text2", m_client);
    m_outputBox->setReadOnly(true);
    m_outputBox->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_outputBox->setFocusPolicy(Qt::StrongFocus);
    m_outputBox->setToolTip(QStringLiteral("生成字模区"));
    // Glyph lines must not break, so their columns stay aligned; long lines scroll.
    m_outputBox->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_outputBox->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_outputBox->setFont(fonts::glyphText());
    twips::place(m_outputBox, 240, 3360, 9615, 3615);

    m_statusBar = named<StatusPanels>("StaB1", m_client);
    twips::place(m_statusBar, 0, 7110, kClientWidthTwips, 375);

    m_clockTimer = named<QTimer>("Timer1", this);
    m_clockTimer->setInterval(1000);

    // Three independent option groups, one per container. Qt's implicit
    // grouping would also reach into child frames, so each pair gets its own group.
    for (auto [first, second] : {std::pair{m_a51Option, m_c51Option}, std::pair{m_horizontalOption, m_verticalOption},
                                 std::pair{m_cell8x16Option, m_cell16x16Option}}) {
        auto *group = new QButtonGroup(this);
        group->addButton(first);
        group->addButton(second);
    }

    // Controls drawn over a frame must lie above it.
    for (QWidget *over : {static_cast<QWidget *>(m_inputBox), static_cast<QWidget *>(m_invertCheck),
                          static_cast<QWidget *>(m_c51Option), static_cast<QWidget *>(m_a51Option),
                          static_cast<QWidget *>(m_mirrorCheck), static_cast<QWidget *>(m_outputBox)})
        over->raise();
}

void MainWindow::createMenu()
{
    QMenu *fa = menuBar()->addMenu(QStringLiteral("文件"));
    fa->setObjectName(QStringLiteral("fa"));
    m_quitAction = fa->addAction(QStringLiteral("退出"));
    m_quitAction->setObjectName(QStringLiteral("ex"));

    QMenu *he = menuBar()->addMenu(QStringLiteral("帮助"));
    he->setObjectName(QStringLiteral("HE"));
    m_forumAction = he->addAction(QStringLiteral("技术论坛"));
    m_forumAction->setObjectName(QStringLiteral("W"));
    m_aboutAction = he->addAction(QStringLiteral("关于"));
    m_aboutAction->setObjectName(QStringLiteral("g"));

    // The layout is fixed: the window can be minimized but not resized or maximized.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                   | Qt::WindowCloseButtonHint);
    setFixedSize(m_client->width(), menuBar()->sizeHint().height() + m_client->height());
}

void MainWindow::setTabOrderOfControls()
{
    QWidget *const order[] = {m_inputBox, m_convertButton, m_outputBox, m_invertCheck, m_mirrorCheck, m_a51Option,
                              m_c51Option, m_horizontalOption, m_verticalOption, m_cell8x16Option, m_cell16x16Option, m_quitButton,
                              m_downloadButton};
    for (std::size_t i = 1; i < std::size(order); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

} // namespace ledglyph
