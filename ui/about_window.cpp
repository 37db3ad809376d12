#include "ui/about_window.h"

#include "platform/gui/twips.h"
#include "platform/program_version.h"
#include "ui/click_label.h"
#include "ui/outside_programs.h"
#include "ui/program_icon.h"
#include "ui/ui_fonts.h"
#include "ui/window_texts.h"

#include <QMouseEvent>

namespace ledglyph {

namespace {

struct LabelSpec {
    const char *name;
    int top, width, height; // twips
    QString text;
};

constexpr int kWidthTwips = 3825;
constexpr int kHeightTwips = 2355;
constexpr int kLabelLeft = 480;
const QColor kLinkHoverColour(255, 0, 0); // light red of the classic 16 colours

} // namespace

AboutWindow::AboutWindow(Launcher &launcher, MessageBox &messageBox, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                          | Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint),
      m_launcher(launcher), m_messageBox(messageBox, *this)
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(window_texts::aboutWindowCaption);
    setWindowIcon(programIcon());
    setFont(ui_fonts::windowDefault());
    setFixedSize(twips::toPixels(kWidthTwips), twips::toPixels(kHeightTwips));

    // Top to bottom, in their tab order of creation.
    const LabelSpec labels[] = {
        {"Label1", 120, 2895, 375, maker::brand + u' ' + window_texts::programTitle + u' '},
        {"Label2", 360, 1215, 255, window_texts::authorCredit},
        {"Label8", 600, 2775, 255, window_texts::authorImNumber},
        {"Label3", 840, 2775, 255, QStringLiteral("Email: ") + window_texts::authorEmail},
        {"Label4", 1080, 2895, 255, QStringLiteral("网站 ") + window_texts::webAddress},
        {"Label5", 1320, 1455, 255, QStringLiteral("版本：Hz V ") + programVersion()},
        {"Label6", 1560, 1815, 255, QStringLiteral("完成时间：") + window_texts::completedDate},
        {"Label7", 1800, 2775, 255, QStringLiteral("如您有意见或建议请您给我来信")},
        {"Label9", 2040, 3015, 255, window_texts::rightsLine},
    };
    for (const LabelSpec &spec : labels) {
        auto *label = new ClickLabel(spec.text, this);
        label->setObjectName(QLatin1String(spec.name));
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop); // the taller Label1 must not sink into Label2
        twips::place(label, {kLabelLeft, spec.top, spec.width, spec.height});
        if (label->objectName() == QLatin1String("Label4"))
            m_forumLink = label;
    }

    m_forumLink->setToolTip(QStringLiteral("点击进入作者网站"));
    m_forumLink->setCursor(Qt::PointingHandCursor);
    connect(m_forumLink, &ClickLabel::clicked, this, &AboutWindow::openForum);
    connect(m_forumLink, &ClickLabel::mouseMoved, this, &AboutWindow::onLinkHovered);
}

void AboutWindow::openForum()
{
    ledglyph::openForum(m_launcher, m_messageBox);
}

void AboutWindow::onLinkHovered()
{
    QPalette palette = m_forumLink->palette();
    palette.setColor(QPalette::WindowText, kLinkHoverColour);
    m_forumLink->setPalette(palette);
}

// A click on the window's free surface opens the forum; labels keep their own clicks.
void AboutWindow::mousePressEvent(QMouseEvent *event)
{
    m_surfaceClick.press(event);
}

void AboutWindow::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_surfaceClick.release(event, rect()))
        openForum();
}

} // namespace ledglyph
