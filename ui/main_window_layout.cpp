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

void Form1::createControls()
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
    m_frame1 = named<ClassicFrame>("Frame1", QStringLiteral("文字字符输入"), m_client);
    m_frame1->setFont(fonts::songTi(10.5));
    twips::place(m_frame1, 120, 120, 9975, 1095);

    m_frame5 = named<ClassicFrame>("Frame5", QStringLiteral("取模控制"), m_client);
    m_frame5->setFont(fonts::songTi(10.5));
    twips::place(m_frame5, 120, 1320, 9975, 1575);

    m_frame6 = named<ClassicFrame>("Frame6", m_frame5);
    m_frame6->setFont(fonts::windowDefault());
    twips::place(m_frame6, 120, 240, 1575, 1215);

    m_frame3 = named<ClassicFrame>("Frame3", m_client);
    twips::place(m_frame3, 1920, 1560, 1695, 1215);

    m_frame4 = named<ClassicFrame>("Frame4", m_client);
    twips::place(m_frame4, 3720, 1560, 1695, 1215);

    m_frame2 = named<ClassicFrame>("Frame2", QStringLiteral("汉字字模"), m_client);
    m_frame2->setFont(fonts::songTi(10.5));
    twips::place(m_frame2, 120, 3000, 9975, 4095);

    m_srcTxt = textBox("SrcTxt", m_client);
    m_srcTxt->setToolTip(QStringLiteral("输入字符区"));
    twips::place(m_srcTxt, 240, 360, 9615, 735);

    // Cell size group (container Frame6).
    m_option6 = named<QRadioButton>("Option6", QStringLiteral("16*16"), m_frame6);
    m_option6->setFont(fonts::songTi(10.5));
    m_option6->setChecked(true);
    twips::place(m_option6, 360, 240, 855, 375);
    m_option5 = named<QRadioButton>("Option5", QStringLiteral(" 8*16"), m_frame6);
    m_option5->setFont(fonts::songTi(10.5));
    twips::place(m_option5, 360, 720, 855, 375);

    // Invert and output format, drawn over Frame3; the format pair's container
    // is the window itself.
    m_check1 = named<QCheckBox>("Check1", QStringLiteral("黑白反转"), m_client);
    m_check1->setChecked(true);
    m_check1->setToolTip(QStringLiteral("黑白反显示"));
    twips::place(m_check1, 2280, 1680, 1095, 375);
    m_option2 = named<QRadioButton>("Option2", QStringLiteral("C51格式"), m_client);
    m_option2->setChecked(true);
    twips::place(m_option2, 2280, 2040, 975, 375);
    m_option1 = named<QRadioButton>("Option1", QStringLiteral("A51格式"), m_client);
    twips::place(m_option1, 2280, 2400, 975, 255);

    // Mirror drawn over Frame4; the scan direction pair lives in Frame4.
    m_check2 = named<QCheckBox>("Check2", QStringLiteral("左右对调"), m_client);
    m_check2->setChecked(true);
    m_check2->setToolTip(QStringLiteral("左右8位对调取模"));
    twips::place(m_check2, 3960, 1680, 1095, 375);
    m_option3 = named<QRadioButton>("Option3", QStringLiteral("横向取模"), m_frame4);
    m_option3->setChecked(true);
    twips::place(m_option3, 240, 480, 1095, 375);
    m_option4 = named<QRadioButton>("Option4", QStringLiteral("纵向取模"), m_frame4);
    m_option4->setEnabled(false); // vertical extraction does not exist
    twips::place(m_option4, 240, 840, 1095, 255);

    m_command1 = named<QPushButton>("Command1", QStringLiteral("取 模"), m_client);
    m_command1->setFont(fonts::kaiTiBold(14.25));
    m_command1->setToolTip(QStringLiteral("点击生成字模"));
    twips::place(m_command1, 5520, 1800, 1335, 855);
    m_command2 = named<QPushButton>("Command2", QStringLiteral("串口下载"), m_client);
    twips::place(m_command2, 7200, 2040, 1215, 495);
    m_exet = named<QPushButton>("exet", QStringLiteral("退出程序"), m_client);
    twips::place(m_exet, 8760, 2040, 1215, 495);

    m_text2 = textBox("Text2", m_client);
    m_text2->setReadOnly(true);
    m_text2->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_text2->setFocusPolicy(Qt::StrongFocus);
    m_text2->setToolTip(QStringLiteral("生成字模区"));
    // Glyph lines must not break, so their columns stay aligned; long lines scroll.
    m_text2->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_text2->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_text2->setFont(fonts::glyphText());
    twips::place(m_text2, 240, 3360, 9615, 3615);

    m_staB1 = named<StatusPanels>("StaB1", m_client);
    twips::place(m_staB1, 0, 7110, kClientWidthTwips, 375);

    m_timer1 = named<QTimer>("Timer1", this);
    m_timer1->setInterval(1000);

    // Three independent option groups, one per container. Qt's implicit
    // grouping would also reach into child frames, so each pair gets its own group.
    for (auto [first, second] : {std::pair{m_option1, m_option2}, std::pair{m_option3, m_option4},
                                 std::pair{m_option5, m_option6}}) {
        auto *group = new QButtonGroup(this);
        group->addButton(first);
        group->addButton(second);
    }

    // Controls drawn over a frame must lie above it.
    for (QWidget *over : {static_cast<QWidget *>(m_srcTxt), static_cast<QWidget *>(m_check1),
                          static_cast<QWidget *>(m_option2), static_cast<QWidget *>(m_option1),
                          static_cast<QWidget *>(m_check2), static_cast<QWidget *>(m_text2)})
        over->raise();
}

void Form1::createMenu()
{
    QMenu *fa = menuBar()->addMenu(QStringLiteral("文件"));
    fa->setObjectName(QStringLiteral("fa"));
    m_ex = fa->addAction(QStringLiteral("退出"));
    m_ex->setObjectName(QStringLiteral("ex"));

    QMenu *he = menuBar()->addMenu(QStringLiteral("帮助"));
    he->setObjectName(QStringLiteral("HE"));
    m_w = he->addAction(QStringLiteral("技术论坛"));
    m_w->setObjectName(QStringLiteral("W"));
    m_g = he->addAction(QStringLiteral("关于"));
    m_g->setObjectName(QStringLiteral("g"));

    // The layout is fixed: the window can be minimized but not resized or maximized.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                   | Qt::WindowCloseButtonHint);
    setFixedSize(m_client->width(), menuBar()->sizeHint().height() + m_client->height());
}

void Form1::setTabOrderOfControls()
{
    QWidget *const order[] = {m_srcTxt, m_command1, m_text2, m_check1, m_check2, m_option1,
                              m_option2, m_option3, m_option4, m_option5, m_option6, m_exet,
                              m_command2};
    for (std::size_t i = 1; i < std::size(order); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

} // namespace ledglyph
