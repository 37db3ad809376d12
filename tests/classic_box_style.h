#pragma once

// The tests record each message box as "style title: prompt" with the classic
// style codes (48 exclamation, 64 information, 33 question with OK and Cancel),
// so that an expected box reads as the system's own description of it.

#include "platform/gui/message_box.h"

namespace testsupport {

inline int classicBoxStyle(ledglyph::MessageIcon icon)
{
    switch (icon) {
    case ledglyph::MessageIcon::Exclamation:
        return 48;
    case ledglyph::MessageIcon::Information:
        return 64;
    case ledglyph::MessageIcon::Question:
        return 33;
    }
    return 0;
}

} // namespace testsupport
