// The desktop program's own parts: the hand-over between its windows, the
// preview window each of them opens, and Qt's dialogs in Chinese.

#include "desktop/qt_translations.h"
#include "download/download_texts.h"
#include "download/download_window.h"
#include "download/file_filter.h"
#include "platform/gui/file_dialog.h"
#include "tests/ui/ui_test_support.h"
#include "ui/preview_window.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLibraryInfo>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
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
    // close box ends the program because no window remains. The about window
    // outlives the main window that opened it, and "关于" brings that one
    // window to the front.
    void handOverAndBack()
    {
        TestDesktop env;
        WindowNavigator navigator(env.services);

        navigator.showMainWindow();
        QPointer<MainWindow> first = onlyWindow<MainWindow>();
        QVERIFY(first);
        typeText(controlOf(first, "SrcTxt"), QStringLiteral("ab"));
        clickControl(first, "Check1");
        controlOf<QAction>(first, "g")->trigger();
        QPointer<AboutWindow> about = onlyWindow<AboutWindow>();
        QVERIFY(about);

        clickControl(first, "Command2");
        QTRY_VERIFY(first.isNull()); // closed and destroyed
        QPointer<DownloadWindow> download = onlyWindow<DownloadWindow>();
        QVERIFY(download);

        clickControl(download, "Command5");
        QTRY_VERIFY(download.isNull());
        MainWindow *again = onlyWindow<MainWindow>();
        QVERIFY(again);
        // Created anew: nothing typed or chosen before survives.
        QCOMPARE(crLfText(*controlOf<QPlainTextEdit>(again, "SrcTxt")), QString());
        QVERIFY(controlOf<QCheckBox>(again, "Check1")->isChecked());
        // The new main window's "关于" brings the about window still open to the front.
        QVERIFY(QTest::qWaitForWindowActive(again));
        controlOf<QAction>(again, "g")->trigger();
        QCOMPARE(onlyWindow<AboutWindow>(), about.data());
        QVERIFY(QTest::qWaitForWindowActive(about));
        about->close();
        QTRY_VERIFY(about.isNull());

        // The download window's close box leaves no window open, so the
        // program ends (it quits when its last window closes).
        clickControl(again, "Command2");
        download = onlyWindow<DownloadWindow>();
        QVERIFY(download);
        download->close();
        QTRY_VERIFY(download.isNull());
        QVERIFY(std::ranges::none_of(QApplication::topLevelWidgets(), &QWidget::isVisible));
        QCOMPARE(env.quitCalls, 0);
    }

    // A Windows program folder holds Qt's translations as windeployqt joins
    // them, one catalogue per language: qt_zh_CN.qm.
    void translationsOfAWindowsProgramFolder()
    {
        QTemporaryDir folder;
        QVERIFY(QFile::copy(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + QStringLiteral("/qtbase_zh_CN.qm"),
                            folder.filePath(QStringLiteral("qt_zh_CN.qm"))));
        QVERIFY(installQtTranslations(*QCoreApplication::instance(), QLocale(QLocale::Chinese, QLocale::China),
                                      folder.path()));
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("取消"));
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

        typeText(controlOf(main, "SrcTxt"), QStringLiteral("欢迎 LED"));
        clickControl(main, "Command1");
        pressCtrlP(main);
        QCOMPARE(onlyWindow<PreviewWindow>(), preview.data());
        QCOMPARE(note(preview), QString());
        QCOMPARE(preview->frames().stripColumns(), (6 + 11) * 16); // the six characters and the banner
        QTRY_VERIFY(preview->frames().step() > 0);

        clickControl(main, "Command2");
        QTRY_VERIFY(preview.isNull());
        DownloadWindow *download = onlyWindow<DownloadWindow>();
        QVERIFY(download);
        controlOf<QComboBox>(download, "Combo2")->setCurrentIndex(2);
        env.host.files << env.dir.filePath(QStringLiteral("zimuo.bin"));
        clickControl(download, "Command4");
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

    // Once the start-up has installed Qt's translations for zh_CN, Qt's own
    // dialogs speak Chinese; the file dialog shows the filter with its
    // description only. Opens the download window's file dialog, notes what
    // it shows and cancels it.
    void fileDialogInChineseWithItsFilter()
    {
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
        QCOMPARE(files.getOpenFileName(nullptr, qtFileFilter(download_texts::fileFilter)), QString());
        QCOMPARE(seen, (QStringList{"打开", "二进制文件(*.bin;*.hex;)", "取消"}));
    }
};

QTEST_MAIN(TestDesktopProgram)
#include "test_desktop_program.moc"
