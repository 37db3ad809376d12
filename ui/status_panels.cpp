#include "ui/status_panels.h"

#include "ui/program_icon.h"
#include "ui/twips.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>

namespace ledglyph {

namespace {

constexpr std::array<int, kStatusPanels.size()> kWidthsTwips{2425, 1700, 2500, 1200, 1000, 1050};

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
        layout->setContentsMargins(2, 0, 2, 0);
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
