// Renders the main window after a conversion, its preview window (and the
// preview's frames, one PNG a step, into FRAME_DIR for the README's animated
// image), the about window, the download window with the converted zimuo.bin
// loaded, its COM1 chooser open, the open-port message over it and the
// open-file dialog into PNG files for the README, on the tests' desktop
// (scripted host, the clock at the test time). Qt's translations are
// loaded as at the program's start, so the dialogs follow the locale (zh_CN in
// take_screenshots.sh). Usage: ledglyph-ui-screenshots FONT_DIR OUT_DIR FRAME_DIR
// FONT_DIR holds hzk16 and ASC16 (the build's program folder); the conversion
// itself runs in a temporary folder. Run it under Xvfb where there is no display.

#include "desktop/qt_translations.h"
#include "desktop/window_navigator.h"
#include "download/download_texts.h"
#include "download/download_window.h"
#include "tests/support/test_desktop.h"
#include "tests/support/window_controls.h"
#include "ui/about_window.h"
#include "ui/main_window.h"
#include "ui/preview_window.h"

#include <QAction>
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QInputMethodEvent>
#include <QMessageBox>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cstdio>

using namespace ledglyph;

namespace {

bool save(QWidget *window, const QString &path)
{
    const bool saved = window->grab().save(path);
    std::fprintf(stderr, "%s %s\n", saved ? "wrote" : "could not write", qPrintable(path));
    return saved;
}

// Grabs the next modal dialog once it has settled, then closes it.
void grabNextDialog(QPixmap &shot, QRect &where)
{
    QTimer::singleShot(500, [&shot, &where] {
        QWidget *dialog = QApplication::activeModalWidget();
        if (!dialog)
            return;
        shot = dialog->grab();
        where = dialog->geometry();
        if (auto *box = qobject_cast<QMessageBox *>(dialog))
            box->button(QMessageBox::Ok)->click();
        else if (auto *files = qobject_cast<QFileDialog *>(dialog))
            files->reject();
    });
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    installQtTranslations(app, QLocale());
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s FONT_DIR OUT_DIR FRAME_DIR\n", argv[0]);
        return 2;
    }
    const QDir fontDir(QString::fromLocal8Bit(argv[1]));
    const QDir outDir(QString::fromLocal8Bit(argv[2]));
    const QDir frameDir(QString::fromLocal8Bit(argv[3]));
    QTemporaryDir work;
    for (const QString &name : {QStringLiteral("hzk16"), QStringLiteral("ASC16"), QStringLiteral("hellp.qvx")}) {
        if (!QFile::copy(fontDir.filePath(name), work.filePath(name))) {
            std::fprintf(stderr, "cannot copy %s\n", qPrintable(fontDir.filePath(name)));
            return 1;
        }
    }

    test::TestDesktop desktop(work.path(), test::testTime().time());
    desktop.host.onEveryBox = [&desktop] { std::fprintf(stderr, "message box: %s\n", qPrintable(desktop.host.shown.last())); };
    desktop.host.files << work.filePath(QStringLiteral("zimuo.bin"));
    DesktopServices &services = desktop.services;
    WindowNavigator navigator(services);

    MainWindow mainWindow(services);
    navigator.connectAbout(mainWindow);
    navigator.connectPreview(mainWindow);
    mainWindow.show();
    if (!QTest::qWaitForWindowExposed(&mainWindow))
        return 1;
    auto *inputBox = test::MainWindowControls(&mainWindow).inputBox();
    QInputMethodEvent typed;
    typed.setCommitString(QStringLiteral("LED点阵屏 Qorvath"));
    QApplication::sendEvent(inputBox, &typed);
    test::MainWindowControls(&mainWindow).convertButton()->click();
    QTest::qWait(1300); // one clock tick fills the date and time panels

    bool ok = save(&mainWindow, outDir.filePath(QStringLiteral("main-window.png")));

    // "显示预览": the conversion on the board, held one second in (33 columns at
    // speed 1); then its frames at 75 %, as the window exports them.
    test::MainWindowControls(&mainWindow).previewAction()->trigger();
    auto *preview = mainWindow.findChild<PreviewWindow *>();
    if (!preview || !QTest::qWaitForWindowExposed(preview))
        return 1;
    preview->findChild<QPushButton *>(QStringLiteral("playButton"))->click();
    preview->seekTime(1000);
    QTest::qWait(200);
    ok = save(preview, outDir.filePath(QStringLiteral("preview-window.png"))) && ok;
    preview->findChild<QComboBox *>(QStringLiteral("zoomList"))->setCurrentText(QStringLiteral("75%"));
    desktop.host.files.prepend(frameDir.filePath(QStringLiteral("frame.png")));
    preview->findChild<QPushButton *>(QStringLiteral("animationButton"))->click();
    preview->close();

    test::MainWindowControls(&mainWindow).aboutAction()->trigger();
    AboutWindow *about = nullptr;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (auto *candidate = qobject_cast<AboutWindow *>(window))
            about = candidate;
    }
    if (!about || !QTest::qWaitForWindowExposed(about))
        return 1;
    QTest::qWait(200);
    ok = save(about, outDir.filePath(QStringLiteral("about-window.png"))) && ok;
    about->close();

    DownloadWindow form3(services);
    form3.show();
    if (!QTest::qWaitForWindowExposed(&form3))
        return 1;
    test::DownloadWindowControls(&form3).openFileButton()->click();
    QTest::qWait(200);
    ok = save(&form3, outDir.filePath(QStringLiteral("download-window.png"))) && ok;

    // The COM1 chooser open on three ports, the CH340 chosen last time. The
    // list is a window of its own, drawn onto the shot where it opened.
    desktop.ports.ports = {
        {.device = QStringLiteral("/dev/ttyS0")},
        {.device = QStringLiteral("/dev/ttyUSB0"), .description = QStringLiteral("USB-SERIAL CH340"), .vendorId = 0x1A86, .productId = 0x7523},
        {.device = QStringLiteral("/dev/ttyUSB1"), .description = QStringLiteral("FT232R USB UART"), .vendorId = 0x0403, .productId = 0x6001}};
    desktop.ports.memory = QStringLiteral("/dev/ttyUSB0");
    emit form3.findChild<PortWatch *>(QStringLiteral("portWatch"))->mayHaveChanged();
    auto *portList = form3.findChild<QComboBox *>(QStringLiteral("portList"));
    portList->showPopup();
    QTest::qWait(300);
    QWidget *popup = portList->view()->window();
    const QRect popupOnWindow(popup->geometry().topLeft() - form3.geometry().topLeft(), popup->size());
    QPixmap withList(QRect(QPoint(0, 0), form3.size()).united(popupOnWindow).size());
    withList.fill(Qt::white);
    {
        QPainter painter(&withList);
        painter.drawPixmap(0, 0, form3.grab());
        painter.drawPixmap(popupOnWindow.topLeft(), popup->grab());
    }
    portList->hidePopup();
    ok = withList.save(outDir.filePath(QStringLiteral("port-chooser.png"))) && ok;

    // Qt's own message box and file dialog, as the program shows them. Without a
    // window manager there are no title bars; the box is drawn where it opens,
    // over the download window.
    QPixmap box;
    QRect boxAt;
    grabNextDialog(box, boxAt);
    QtMessageBox().showOver(form3, download_texts::openPortPrompt, MessageIcon::Exclamation,
                            download_texts::portTitle);
    QPixmap withBox = form3.grab();
    {
        QPainter painter(&withBox);
        const QRect onWindow(boxAt.topLeft() - form3.geometry().topLeft(), box.size());
        painter.drawPixmap(onWindow.topLeft(), box);
        painter.setPen(QColor(96, 96, 96)); // the box's edge, which a window manager would draw
        painter.drawRect(onWindow.adjusted(0, 0, -1, -1));
    }
    ok = !box.isNull() && withBox.save(outDir.filePath(QStringLiteral("open-port-message.png"))) && ok;

    QDir::setCurrent(work.path()); // the dialog opens on the folder with zimuo.bin
    QPixmap files;
    QRect filesAt;
    grabNextDialog(files, filesAt);
    QtFileDialog().getOpenFileName(&form3, download_texts::fileFilter);
    ok = !files.isNull() && files.save(outDir.filePath(QStringLiteral("file-dialog.png"))) && ok;

    // A transfer on its way: how far it is below the frames, "打开文件" unavailable
    // until it is over. The board answers at once; part of the file has left.
    desktop.link->holdWrites = true;
    test::DownloadWindowControls(&form3).openPortButton()->click();
    desktop.link->receive("s");
    desktop.link->driverHeld = 500;
    desktop.link->drain();
    QTest::qWait(200);
    ok = save(&form3, outDir.filePath(QStringLiteral("download-progress.png"))) && ok;
    return ok ? 0 : 1;
}
