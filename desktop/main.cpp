#include "desktop/qt_translations.h"
#include "desktop/window_navigator.h"
#include "platform/app_dir.h"
#include "desktop/desktop_command_line.h"
#include "platform/serial/com1_ports.h"

#include <QApplication>
#include <QLocale>


int main(int argc, char *argv[])
{
    {
        // --help and --version need no window system: answer them before it
        // starts, so that they also work without a display.
        const QCoreApplication commandLine(argc, argv);
        if (const std::optional<int> answered = ledglyph::answerHelpOrVersion(QCoreApplication::arguments()))
            return *answered;
    }
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(true);
    if (const std::optional<int> answered = ledglyph::answerDesktopCommandLine(QCoreApplication::arguments()))
        return *answered;
    const ledglyph::ProgramFolders folders = ledglyph::programFolders();
    ledglyph::prepareOutputFolder(folders);
    // Qt's dialogs and error texts in the user's language, like our own texts.
    ledglyph::installQtTranslations(app, QLocale());

    ledglyph::QtMessageBox messageBox;
    ledglyph::DesktopLauncher launcher;
    ledglyph::QtFileDialog fileDialog(folders.outputsInUserFolder ? folders.outputs : QString());
    ledglyph::SystemClock clock;
    ledglyph::SystemCom1Ports com1Ports;
    ledglyph::DesktopServices services{messageBox, launcher, fileDialog, clock,
                                       folders.data, [] { QCoreApplication::exit(0); }, folders.outputs,
                                       ledglyph::makeCom1Link, &com1Ports};

    ledglyph::WindowNavigator navigator(services);
    navigator.showMainWindow();
    return app.exec();
}
