// The main window's controls as one table: kind, container, fixed position (in
// twips), caption, tooltip, font and start state; then the timer, the option
// groups, the menu and the tab order.

#include "ui/main_window.h"

#include "ui/classic_frame.h"
#include "ui/menu_bar_keys.h"
#include "ui/option_group_tab_stop.h"
#include "ui/program_icon.h"
#include "ui/status_panels.h"
#include "platform/gui/twips.h"
#include "ui/ui_fonts.h"
#include "ui/window_texts.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
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

enum class Kind { Frame, InputBox, OutputBox, Option, Check, Button, StatusBar };
enum class Font { Inherited, Window, Song, KaiBold }; // the output box always has its own
enum class Start { Plain, Checked, Disabled };
using enum Kind;
using enum Font;
using enum Start;

struct ControlSpec {
    const char *name;      // objectName
    Kind kind;
    const char *container; // objectName of the frame it lies in; none: the window's client area
    twips::Rect at;
    const char *caption;
    const char *toolTip;
    Font font;
    Start start;
};

// A container comes before the controls in it, and the frames before the
// controls drawn over them, which therefore lie on top. Check1, Option1 and
// Option2 are drawn over Frame3 and Check2 over Frame4 but belong to the
// client area.
constexpr ControlSpec kControls[] = {
    // name      kind       in        left, top, width, height           caption         tooltip            font       start
    {"Frame1",   Frame,     {},       {120, 120, 9975, 1095},            "文字字符输入", {},                Song,      Plain},
    {"Frame5",   Frame,     {},       {120, 1320, 9975, 1575},           "取模控制",     {},                Song,      Plain},
    {"Frame6",   Frame,     "Frame5", {120, 240, 1575, 1215},            {},             {},                Window,    Plain},
    {"Frame3",   Frame,     {},       {1920, 1560, 1695, 1215},          {},             {},                Inherited, Plain},
    {"Frame4",   Frame,     {},       {3720, 1560, 1695, 1215},          {},             {},                Inherited, Plain},
    {"Frame2",   Frame,     {},       {120, 3000, 9975, 4095},           "汉字字模",     {},                Song,      Plain},
    {"SrcTxt",   InputBox,  {},       {240, 360, 9615, 735},             {},             "输入字符区",      Inherited, Plain},
    {"Option6",  Option,    "Frame6", {360, 240, 855, 375},              "16*16",        {},                Song,      Checked},
    {"Option5",  Option,    "Frame6", {360, 720, 855, 375},              " 8*16",        {},                Song,      Plain},
    {"Check1",   Check,     {},       {2280, 1680, 1095, 375},           "黑白反转",     "黑白反显示",      Inherited, Checked},
    {"Option2",  Option,    {},       {2280, 2040, 975, 375},            "C51格式",      {},                Inherited, Checked},
    {"Option1",  Option,    {},       {2280, 2400, 975, 255},            "A51格式",      {},                Inherited, Plain},
    {"Check2",   Check,     {},       {3960, 1680, 1095, 375},           "左右对调",     "左右8位对调取模", Inherited, Checked},
    {"Option3",  Option,    "Frame4", {240, 480, 1095, 375},             "横向取模",     {},                Inherited, Checked},
    // Vertical extraction does not exist.
    {"Option4",  Option,    "Frame4", {240, 840, 1095, 255},             "纵向取模",     {},                Inherited, Disabled},
    {"Command1", Button,    {},       {5520, 1800, 1335, 855},           "取 模",        "点击生成字模",    KaiBold,   Plain},
    {"Command2", Button,    {},       {7200, 2040, 1215, 495},           "串口下载",     {},                Inherited, Plain},
    {"exet",     Button,    {},       {8760, 2040, 1215, 495},           "退出程序",     {},                Inherited, Plain},
    {"Text2",    OutputBox, {},       {240, 3360, 9615, 3615},           {},             "生成字模区",      Inherited, Plain},
    {"StaB1",    StatusBar, {},       {0, 7110, kClientWidthTwips, 375}, {},             {},                Inherited, Plain},
};

QPlainTextEdit *textBox(QWidget *parent)
{
    auto *box = new QPlainTextEdit(parent);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    box->setTabChangesFocus(true); // Tab moves on, as in every other control
    return box;
}

QPlainTextEdit *outputBox(QWidget *parent)
{
    QPlainTextEdit *box = textBox(parent);
    box->setReadOnly(true);
    box->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    box->setFocusPolicy(Qt::StrongFocus);
    // Whether lines wrap depends on what the box shows (MainWindow); a long
    // line that must not wrap scrolls.
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    box->setFont(ui_fonts::glyphText());
    return box;
}

QPushButton *pushButton(const ControlSpec &spec, QWidget *parent)
{
    auto *made = new QPushButton(QString::fromUtf8(spec.caption), parent);
    made->setAutoDefault(true); // Enter presses the focused button, as Space does
    return made;
}

template<typename ButtonType>
ButtonType *button(const ControlSpec &spec, QWidget *parent)
{
    auto *made = new ButtonType(QString::fromUtf8(spec.caption), parent);
    if (spec.start == Start::Checked)
        made->setChecked(true);
    return made;
}

QWidget *createControl(const ControlSpec &spec, QWidget *parent)
{
    QWidget *widget = nullptr;
    switch (spec.kind) {
    case Kind::Frame: widget = new ClassicFrame(QString::fromUtf8(spec.caption), parent); break;
    case Kind::InputBox: widget = textBox(parent); break;
    case Kind::OutputBox: widget = outputBox(parent); break;
    case Kind::Option: widget = button<QRadioButton>(spec, parent); break;
    case Kind::Check: widget = button<QCheckBox>(spec, parent); break;
    case Kind::Button: widget = pushButton(spec, parent); break;
    case Kind::StatusBar: widget = new StatusPanels(parent); break;
    }
    widget->setObjectName(QLatin1String(spec.name));
    switch (spec.font) {
    case Font::Inherited: break;
    case Font::Window: widget->setFont(ui_fonts::windowDefault()); break;
    case Font::Song: widget->setFont(ui_fonts::songTi(10.5)); break;
    case Font::KaiBold: widget->setFont(ui_fonts::kaiTiBold(14.25)); break;
    }
    if (spec.toolTip)
        widget->setToolTip(QString::fromUtf8(spec.toolTip));
    if (spec.start == Start::Disabled)
        widget->setEnabled(false);
    twips::place(widget, spec.at);
    return widget;
}

template<typename Control>
Control *control(const QWidget *client, const char *name)
{
    auto *found = client->findChild<Control *>(QLatin1String(name));
    Q_ASSERT(found);
    return found;
}

} // namespace

void MainWindow::createControls()
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(window_texts::mainWindowCaption);
    setWindowIcon(programIcon());
    setFont(ui_fonts::windowDefault());

    m_client = new QWidget(this);
    m_client->setFixedSize(twips::toPixels(kClientWidthTwips), twips::toPixels(kClientHeightTwips));
    setCentralWidget(m_client);

    for (const ControlSpec &spec : kControls)
        createControl(spec, spec.container ? control<QWidget>(m_client, spec.container) : m_client);

    m_inputBox = control<QPlainTextEdit>(m_client, "SrcTxt");
    m_outputBox = control<QPlainTextEdit>(m_client, "Text2");
    m_a51Option = control<QRadioButton>(m_client, "Option1");
    m_c51Option = control<QRadioButton>(m_client, "Option2");
    m_horizontalOption = control<QRadioButton>(m_client, "Option3");
    m_verticalOption = control<QRadioButton>(m_client, "Option4");
    m_cell8x16Option = control<QRadioButton>(m_client, "Option5");
    m_cell16x16Option = control<QRadioButton>(m_client, "Option6");
    m_invertCheck = control<QCheckBox>(m_client, "Check1");
    m_mirrorCheck = control<QCheckBox>(m_client, "Check2");
    m_convertButton = control<QPushButton>(m_client, "Command1");
    m_downloadButton = control<QPushButton>(m_client, "Command2");
    m_quitButton = control<QPushButton>(m_client, "exet");
    m_statusBar = control<StatusPanels>(m_client, "StaB1");

    m_clockTimer = new QTimer(this);
    m_clockTimer->setObjectName(QStringLiteral("Timer1"));
    m_clockTimer->setInterval(1000);

    // Three independent option groups, one per container. Qt's implicit
    // grouping would also reach into child frames, so each pair gets its own group.
    for (auto [first, second] : {std::pair{m_a51Option, m_c51Option}, std::pair{m_horizontalOption, m_verticalOption},
                                 std::pair{m_cell8x16Option, m_cell16x16Option}}) {
        auto *group = new QButtonGroup(this);
        group->addButton(first);
        group->addButton(second);
        makeOneTabStop(*group);
    }
}

void MainWindow::createMenu()
{
    // Alt+F and Alt+H open the menus, as the marked letters show: 文件(F), 帮助(H).
    QMenu *fileMenu = menuBar()->addMenu(QStringLiteral("文件(&F)"));
    fileMenu->setObjectName(QStringLiteral("fa"));
    m_previewAction = fileMenu->addAction(QStringLiteral("显示预览"));
    m_previewAction->setObjectName(QStringLiteral("previewAction"));
    m_previewAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    m_openOutputFolderAction = fileMenu->addAction(QStringLiteral("打开输出文件夹"));
    m_openOutputFolderAction->setObjectName(QStringLiteral("openOutputFolder"));
    fileMenu->addSeparator();
    m_quitAction = fileMenu->addAction(QStringLiteral("退出"));
    m_quitAction->setObjectName(QStringLiteral("ex"));

    QMenu *helpMenu = menuBar()->addMenu(QStringLiteral("帮助(&H)"));
    helpMenu->setObjectName(QStringLiteral("HE"));
    m_forumAction = helpMenu->addAction(QStringLiteral("技术论坛"));
    m_forumAction->setObjectName(QStringLiteral("W"));
    m_aboutAction = helpMenu->addAction(QStringLiteral("关于"));
    m_aboutAction->setObjectName(QStringLiteral("g"));
    enableMenuBarKeys(*menuBar());

    // The layout is fixed: the window can be minimized but not resized or maximized.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                   | Qt::WindowCloseButtonHint);
    setFixedSize(m_client->width(), menuBar()->sizeHint().height() + m_client->height());
}

void MainWindow::setTabOrderOfControls()
{
    QWidget *const order[] = {m_inputBox,     m_convertButton,    m_outputBox,      m_invertCheck,    m_mirrorCheck,
                              m_a51Option,    m_c51Option,        m_horizontalOption, m_verticalOption,
                              m_cell8x16Option, m_cell16x16Option, m_quitButton,     m_downloadButton};
    for (std::size_t i = 1; i < std::size(order); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

} // namespace ledglyph
