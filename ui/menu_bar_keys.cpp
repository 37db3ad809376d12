#include "ui/menu_bar_keys.h"

#include <QMenuBar>
#include <QProxyStyle>
#include <QShortcut>

namespace ledglyph {

namespace {

// Whether Alt alone selects the menu bar is a style's choice, and most styles
// outside Windows say no; this menu bar says yes, and draws as before.
class AltKeyStyle final : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *returned) const override
    {
        if (hint == SH_MenuBar_AltKeyNavigation)
            return 1;
        return QProxyStyle::styleHint(hint, option, widget, returned);
    }
};

} // namespace

void enableMenuBarKeys(QMenuBar &menuBar)
{
    auto *style = new AltKeyStyle;
    style->setParent(&menuBar); // a widget does not own the style it is given
    menuBar.setStyle(style);

    auto *f10 = new QShortcut(QKeySequence(Qt::Key_F10), menuBar.window());
    QObject::connect(f10, &QShortcut::activated, &menuBar,
                     [&menuBar] { menuBar.setActiveAction(menuBar.actions().value(0)); });
}

} // namespace ledglyph
