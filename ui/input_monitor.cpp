#include "ui/input_monitor.h"

#include "core/maker_texts.h"
#include "platform/gui/message_box.h"
#include "ui/input_counts.h"
#include "ui/main_window_texts.h"
#include "ui/status_panels.h"
#include "ui/text_box_text.h"

#include <QAbstractButton>
#include <QPlainTextEdit>
#include <QSignalBlocker>

namespace ledglyph {

InputMonitor::InputMonitor(QPlainTextEdit &srcTxt, const QAbstractButton &option5,
                           StatusPanels &panels, MessageBox &messageBox, QObject *parent)
    : QObject(parent), m_srcTxt(srcTxt), m_option5(option5), m_panels(panels),
      m_messageBox(messageBox)
{
    connect(&m_srcTxt, &QPlainTextEdit::textChanged, this, &InputMonitor::srcTxtChange);
}

void InputMonitor::srcTxtChange()
{
    // Each refusal cuts the last character and looks again, one message per
    // character, until no Chinese character is left. This runs as a loop with
    // the box's change signal held back while it cuts, so a long paste cannot
    // nest one handler call per character.
    bool cut = false;
    while (m_option5.isChecked() && hasCharacterRefusedIn8x16(crLfText(m_srcTxt))) {
        m_messageBox.show(form1_texts::chineseRefusedIn8x16, MessageIcon::Exclamation,
                          maker::welcomeTitleNoSpace);
        const QSignalBlocker quiet(m_srcTxt);
        if (!removeLastCharacter(m_srcTxt))
            break;
        cut = true;
    }
    m_panels.setPanelText(2, countsText(countInput(crLfText(m_srcTxt))));
    if (cut)
        focusAtEnd(m_srcTxt);
}

} // namespace ledglyph
