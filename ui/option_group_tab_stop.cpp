#include "ui/option_group_tab_stop.h"

#include <QAbstractButton>
#include <QButtonGroup>

#include <algorithm>

namespace ledglyph {

void makeOneTabStop(QButtonGroup &group)
{
    const auto followSelection = [&group] {
        const QList<QAbstractButton *> buttons = group.buttons();
        // With nothing selected every option stays a stop, so the group can still be reached.
        const bool anySelected = std::ranges::any_of(buttons, &QAbstractButton::isChecked);
        for (QAbstractButton *button : buttons)
            button->setFocusPolicy(button->isChecked() || !anySelected ? Qt::StrongFocus : Qt::ClickFocus);
    };
    followSelection();
    QObject::connect(&group, &QButtonGroup::buttonToggled, &group, followSelection);
}

} // namespace ledglyph
