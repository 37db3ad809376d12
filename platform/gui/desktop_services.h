#pragma once

#include "platform/clock.h"
#include "platform/gui/file_dialog.h"
#include "platform/gui/launcher.h"
#include "platform/gui/message_box.h"

#include <QString>

#include <functional>
#include <memory>

namespace ledglyph {

class Com1Ports;
class SerialLink;

// Everything the windows need of the host, passed in so tests can replace it.
struct DesktopServices {
    MessageBox &messageBox;
    Launcher &launcher;
    FileDialog &fileDialog;
    const Clock &clock;
    QString appDir;                 // fonts, help text and, unless outputDir is given, outputs live here
    std::function<void()> quit;     // ends the program at once
    QString outputDir = {};         // hz.txt, Tempchar.txt and zimuo.bin, when not beside the program
    // The serial link that stands for COM1, made anew for each download window.
    std::function<std::unique_ptr<SerialLink>()> makeSerialLink = nullptr;
    // The ports and the memory that decide which device stands for COM1.
    Com1Ports *com1Ports = nullptr;

    QString outputFolder() const { return outputDir.isEmpty() ? appDir : outputDir; }
};

} // namespace ledglyph
