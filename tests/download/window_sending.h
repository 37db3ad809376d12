#pragma once

// A glyph file made by the converter and sent by the download window as a user
// would: for the tests that send over a real line to a board.

#include "core/conversion_run.h"
#include "download/download_window.h"
#include "download_test_support.h"
#include "platform/serial/com1_device.h"

#include <QComboBox>

#include <memory>

namespace ledglyph::test {

// zimuo.bin of `text`, converted with the program's own font libraries into
// `folder` (empty when the conversion failed).
inline QByteArray convertedGlyphFile(const QString &text, const QString &folder, const Clock &clock)
{
    ConversionRun conversion(QStringLiteral(LEDGLYPH_APPDIR), folder, clock);
    if (conversion.run(text, ConversionOptions{}).kind != RunOutcome::Kind::Completed)
        return {};
    return readFile(folder + QStringLiteral("/zimuo.bin"));
}

// A download window that finds its end of the line, `device`, through
// LEDGLYPH_COM1 as a user's would, and has opened `glyphFile` and the port;
// `speedIndex` is the "变化速度" chosen (−1: the window's default).
inline std::unique_ptr<DownloadWindow> windowSending(TestDesktop &desktop, const QString &device,
                                                     const QString &glyphFile, int speedIndex = -1)
{
    qputenv("LEDGLYPH_COM1", device.toLocal8Bit());
    desktop.services.makeSerialLink = makeCom1Link;
    auto window = std::make_unique<DownloadWindow>(desktop.services);
    qunsetenv("LEDGLYPH_COM1");
    window->show();
    if (speedIndex >= 0)
        window->findChild<QComboBox *>(QStringLiteral("Combo1"))->setCurrentIndex(speedIndex);
    window->findChild<QComboBox *>(QStringLiteral("Combo2"))->setCurrentIndex(2);
    desktop.host.files << glyphFile;
    click(*window, "Command4");
    click(*window, "Command1");
    return window;
}

} // namespace ledglyph::test
