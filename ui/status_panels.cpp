#include "ui/status_panels.h"

#include "core/conversion.h"
#include "core/run_refusals.h"
#include "fonts/glyph_geometry.h"
#include "ui/input_counts.h"
#include "ui/program_icon.h"
#include "platform/gui/twips.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>

#include <algorithm>

namespace ledglyph {

namespace {

constexpr std::array<int, kStatusPanels.size()> kWidthsTwips{2425, 1700, 2500, 1200, 1000, 1050};
constexpr int kTextMargin = 1; // between a panel's frame and its text, left and right

// The input counts panel is too narrow for the counts of a long text ("1012个汉"
// shows of " 0个字符 1012个汉字"). It takes what it needs for the counts of the
// longest text a run converts from the message panel, as far as that one keeps
// room for the run's result; every other panel keeps its place.
void widenInputCounts(QFrame &counts, QFrame &message)
{
    const QFontMetrics metrics = counts.fontMetrics();
    const int chrome = 2 * (counts.frameWidth() + kTextMargin);
    const int countsNeed =
        metrics.horizontalAdvance(countsText({.singleByte = 12, .doubleByte = maxTextLength - 12})) + chrome;
    const int messageNeeds = metrics.horizontalAdvance(completionText(maxTextLength * cellBytes)) + chrome;
    const int moved = std::clamp(countsNeed - counts.width(), 0, std::max(0, message.width() - messageNeeds));
    counts.setFixedWidth(counts.width() + moved);
    message.setFixedWidth(message.width() - moved);
}

} // namespace

StatusPanels::StatusPanels(QWidget *parent) : QWidget(parent)
{
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 1, 0, 1);
    row->setSpacing(2);
    for (std::size_t i = 0; i < m_labels.size(); ++i) {
        auto *panel = new QFrame(this);
        panel->setObjectName(QStringLiteral("StaB1Panel%1").arg(i + 1));
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panel->setFixedWidth(twips::toPixels(kWidthsTwips[i]));
        auto *layout = new QHBoxLayout(panel);
        layout->setContentsMargins(kTextMargin, 0, kTextMargin, 0);
        layout->setSpacing(2);
        if (kStatusPanels[i] == StatusPanel::Address) {
            auto *icon = new QLabel(panel);
            icon->setPixmap(programIcon().pixmap(16, 16));
            layout->addWidget(icon);
        }
        auto *text = new QLabel(panel);
        // A long text is cut at the panel's edge instead of widening the panel.
        text->setTextFormat(Qt::PlainText);
        text->setMinimumWidth(1);
        text->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        layout->addWidget(text, 1);
        m_labels[i] = text;
        row->addWidget(panel);
    }
    row->addStretch(1);
    widenInputCounts(*qobject_cast<QFrame *>(label(StatusPanel::InputCounts)->parentWidget()),
                     *qobject_cast<QFrame *>(label(StatusPanel::Message)->parentWidget()));
}

QLabel *StatusPanels::label(StatusPanel panel) const
{
    return m_labels[static_cast<std::size_t>(panel)];
}

QString StatusPanels::panelText(StatusPanel panel) const
{
    return label(panel)->text();
}

void StatusPanels::setPanelText(StatusPanel panel, const QString &text)
{
    QLabel *shown = label(panel);
    shown->setText(text);
    // The widths are fixed; a text longer than its panel (a long regional
    // date form, say) can still be read in full from the tooltip.
    shown->setToolTip(text);
}

const QLabel *StatusPanels::panelLabel(StatusPanel panel) const
{
    return label(panel);
}

} // namespace ledglyph
