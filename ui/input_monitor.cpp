#include "ui/input_monitor.h"

#include "core/run_refusals.h"
#include "platform/gui/message_box.h"
#include "ui/input_counts.h"
#include "ui/main_window_texts.h"
#include "ui/status_panels.h"
#include "ui/text_box_text.h"
#include "ui/window_texts.h"

#include <QAbstractButton>
#include <QPlainTextEdit>
#include <QSignalBlocker>

namespace ledglyph {

InputMonitor::InputMonitor(QPlainTextEdit &inputBox, const QAbstractButton &cell8x16Option,
                           StatusPanels &panels, MessageBox &messageBox, QObject *parent)
    : QObject(parent), m_inputBox(inputBox), m_cell8x16Option(cell8x16Option), m_panels(panels),
      m_messageBox(messageBox)
{
    connect(&m_inputBox, &QPlainTextEdit::textChanged, this, &InputMonitor::onInputChanged);
}

void InputMonitor::onInputChanged()
{
    // Each refusal cuts the last character and looks again, one message per
    // character, until no Chinese character is left. This runs as a loop with
    // the box's change signal held back while it cuts, so a long paste cannot
    // nest one handler call per character.
    bool cut = false;
    while (m_cell8x16Option.isChecked()) {
        const std::optional<RefusedIn8x16> refused = firstRefusedIn8x16(crLfText(m_inputBox));
        if (!refused)
            break;
        m_messageBox.show(refused->doubleByte ? main_window_texts::chineseRefusedIn8x16
                                              : main_window_texts::notAsciiRefusedIn8x16(
                                                    textCharacterLabel(refused->position, refused->character)),
                          MessageIcon::Exclamation, window_texts::welcomeTitleNoSpace);
        const QSignalBlocker quiet(m_inputBox);
        if (!removeLastCharacter(m_inputBox))
            break;
        cut = true;
    }
    m_panels.setPanelText(StatusPanel::InputCounts, countsText(countInput(crLfText(m_inputBox))));
    if (cut)
        focusAtEnd(m_inputBox);
}

} // namespace ledglyph
