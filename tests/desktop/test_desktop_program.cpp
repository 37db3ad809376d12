// The desktop program's own parts: the hand-over between its windows, the
// preview window each of them opens, Qt's dialogs in Chinese, and the
// program's answers to --help and --version.

#include "desktop/qt_translations.h"
#include "download/download_window.h"
#include "platform/gui/file_dialog.h"
#include "tests/support/test_files.h"
#include "tests/ui/ui_test_support.h"
#include "ui/preview_window.h"
#include "ui/program_icon.h"

#include <QAction>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLibraryInfo>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QScreen>
#include <QTimer>

#include <algorithm>

using namespace ledglyph;
using namespace ledglyph::test;

class TestDesktopProgram : public QObject {
    Q_OBJECT

private slots:
    // The main window and the download window are never open together:
    // "串口下载" shows the download window and closes the main window, "返回"
    // brings a main window back in its start state, and the download window's
    // close box ends the program because no window remains. The first window
    // opens centred on the screen, each later one in the place of the one it
    // replaces, kept on the screen. The about window outlives the main window
    // that opened it, and "关于" brings that one window to the front.
    void handOverAndBack()
    {
        TestDesktop env;
        WindowNavigator navigator(env.services);

        navigator.showMainWindow();
        QPointer<MainWindow> first = onlyWindow<MainWindow>();
        QVERIFY(first);
        const QRect free = first->screen()->availableGeometry();
        // Centred as the frame's size is known: before the first window has one, not at all.
        QVERIFY((QRect(first->pos(), first->size()).center() - free.center()).manhattanLength() <= 1);
        typeText(MainWindowControls(first).inputBox(), QStringLiteral("ab"));
        clickControl(MainWindowControls(first).invertCheck());
        MainWindowControls(first).aboutAction()->trigger();
        QPointer<AboutWindow> about = onlyWindow<AboutWindow>();
        QVERIFY(about);

        first->move(free.topLeft() + QPoint(30, 40));
        clickControl(MainWindowControls(first).downloadButton());
        QTRY_VERIFY(first.isNull()); // closed and destroyed
        QPointer<DownloadWindow> download = onlyWindow<DownloadWindow>();
        QVERIFY(download);
        QCOMPARE(download->frameGeometry().topLeft(), free.topLeft() + QPoint(30, 40));
        QCOMPARE(download->windowIcon().pixmap(16).toImage(), programIcon().pixmap(16).toImage());

        // From the bottom right corner the taller main window comes back as far down as it fits.
        download->move(free.right() + 1 - download->width(), free.bottom() + 1 - download->height());
        const int left = download->x();
        // The download window starts at the head of its tab order, Text1; the
        // next Tab reaches "返回", and Enter presses it.
        QVERIFY(QTest::qWaitForWindowActive(download));
        QCOMPARE(QApplication::focusWidget(), DownloadWindowControls(download).logBox());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), DownloadWindowControls(download).returnButton());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTRY_VERIFY(download.isNull());
        MainWindow *again = onlyWindow<MainWindow>();
        QVERIFY(again);
        QCOMPARE(again->frameGeometry().topLeft(), QPoint(left, free.bottom() + 1 - again->frameGeometry().height()));
        // Created anew: nothing typed or chosen before survives.
        QCOMPARE(crLfText(*MainWindowControls(again).inputBox()), QString());
        QVERIFY(MainWindowControls(again).invertCheck()->isChecked());
        // The new main window's "关于" brings the about window still open to the front.
        QVERIFY(QTest::qWaitForWindowActive(again));
        MainWindowControls(again).aboutAction()->trigger();
        QCOMPARE(onlyWindow<AboutWindow>(), about.data());
        QVERIFY(QTest::qWaitForWindowActive(about));
        about->close();
        QTRY_VERIFY(about.isNull());

        // The download window's close box leaves no window open, so the
        // program ends (it quits when its last window closes).
        clickControl(MainWindowControls(again).downloadButton());
        download = onlyWindow<DownloadWindow>();
        QVERIFY(download);
        download->close();
        QTRY_VERIFY(download.isNull());
        QVERIFY(std::ranges::none_of(QApplication::topLevelWidgets(), &QWidget::isVisible));
        QCOMPARE(env.quitCalls, 0);
    }

    // Ctrl+P opens "显示预览" over the window that asked, and it closes with
    // that window: in the main window the last conversion (none before the
    // first), in the download window the file listed at the speed chosen.
    void previewOfEitherWindow()
    {
        TestDesktop env;
        WindowNavigator navigator(env.services);
        navigator.showMainWindow();
        MainWindow *main = onlyWindow<MainWindow>();
        const auto pressCtrlP = [](QWidget *window) {
            window->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(window));
            QTest::keySequence(window, QKeySequence(Qt::CTRL | Qt::Key_P));
        };
        const auto note = [](const PreviewWindow *preview) { return controlOf<QLabel>(preview, "noteLine")->text(); };

        pressCtrlP(main);
        QPointer<PreviewWindow> preview = onlyWindow<PreviewWindow>();
        QVERIFY(preview);
        QCOMPARE(preview->parentWidget(), main);
        QCOMPARE(preview->windowTitle(), "显示预览");
        QCOMPARE(note(preview), "还没有取模：请先输入字符，再点击“取 模”。");
        QVERIFY(!preview->isPlaying());

        typeText(MainWindowControls(main).inputBox(), QStringLiteral("欢迎 LED"));
        clickControl(MainWindowControls(main).convertButton());
        pressCtrlP(main);
        QCOMPARE(onlyWindow<PreviewWindow>(), preview.data());
        QCOMPARE(note(preview), QString());
        QCOMPARE(preview->frames().stripColumns(), (6 + 11) * 16); // the six characters and the banner
        QTRY_VERIFY(preview->frames().step() > 0);

        clickControl(MainWindowControls(main).downloadButton());
        QTRY_VERIFY(preview.isNull());
        DownloadWindow *download = onlyWindow<DownloadWindow>();
        QVERIFY(download);
        DownloadWindowControls(download).speedList()->setCurrentIndex(2);
        env.host.files << env.dir.filePath(QStringLiteral("zimuo.bin"));
        clickControl(DownloadWindowControls(download).openFileButton());
        pressCtrlP(download);
        preview = onlyWindow<PreviewWindow>();
        QVERIFY(preview);
        QCOMPARE(preview->parentWidget(), download);
        QCOMPARE(preview->speedCode(), 3);
        QCOMPARE(preview->frames().stripColumns(), (6 + 11) * 16);
        QCOMPARE(note(preview), "字模文件不记录取模选项：画面若亮暗颠倒或左右颠倒，是取模时未选“黑白反转”或“左右对调”。");
        download->close();
        QTRY_VERIFY(preview.isNull());
    }

    // Qt's translations for zh_CN, from a Windows program folder, which holds
    // them as windeployqt joins them, one catalogue per language
    // (qt_zh_CN.qm), and from Qt's own folder as the start-up installs them.
    // Then Qt's own dialogs speak Chinese; the file dialog shows the filter
    // with its description only. Opens the download window's file dialog,
    // notes what it shows and cancels it.
    void qtTranslationsAndTheFileDialog()
    {
        QTemporaryDir folder;
        QVERIFY(QFile::copy(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + QStringLiteral("/qtbase_zh_CN.qm"),
                            folder.filePath(QStringLiteral("qt_zh_CN.qm"))));
        QVERIFY(installQtTranslations(*QCoreApplication::instance(), QLocale(QLocale::Chinese, QLocale::China),
                                      folder.path()));
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("取消"));
        QVERIFY(installQtTranslations(*QCoreApplication::instance(), QLocale(QLocale::Chinese, QLocale::China)));
        QStringList seen; // title, filter, cancel button
        QTimer watch;
        answerDialogs<QFileDialog>(watch, [&](QFileDialog *dialog) {
            seen << dialog->windowTitle()
                 << dialog->findChild<QComboBox *>(QStringLiteral("fileTypeCombo"))->currentText()
                 << dialog->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Cancel)->text();
            dialog->reject();
        });
        QtFileDialog files;
        QCOMPARE(files.getOpenFileName(nullptr, QStringLiteral("二进制文件(*.bin;*.hex;) (*.bin *.hex)")), QString());
        QCOMPARE(seen, (QStringList{"打开", "二进制文件(*.bin;*.hex;)", "取消"}));
    }

    // --help and --version are answered before the window system starts, so
    // they need no display and no platform chosen; the help's headings are
    // Chinese, and its usage line names the program, not its path. (The
    // version line is test_installed_program's installedTree.)
    void helpAndVersionWithoutADisplay()
    {
        const QStringList noDisplay{"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"};
        const ProgramRun help = runProgram(QStringLiteral(LEDGLYPH_APPDIR "/ledglyph"), {"--help"}, noDisplay);
        QCOMPARE(help.exitCode, 0);
        QVERIFY2(help.out.startsWith(QStringLiteral("用法：ledglyph [选项]\n"))
                     && help.out.contains(QStringLiteral("\n选项：\n  -h, --help")),
                 qPrintable(help.out));
    }
};

QTEST_MAIN(TestDesktopProgram)
#include "test_desktop_program.moc"
