#pragma once

#include "core/conversion_run.h"
#include "platform/gui/desktop_services.h"
#include "preview/preview_source.h"

#include <QMainWindow>

#include <optional>

class QAction;
class QCheckBox;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTimer;

namespace ledglyph {

class InputMonitor;
class StatusPanels;

// The main window: the input box, the options a conversion reads, the
// conversion button, the output box, the six status panels with their clock,
// and the menu. Every control carries its form name as object name, which
// tests and automation find it by:
//
//   Form1     MainWindow             Option5   m_cell8x16Option
//   SrcTxt    m_inputBox             Option6   m_cell16x16Option
//   Text2     m_outputBox            Check1    m_invertCheck
//   Command1  m_convertButton        Check2    m_mirrorCheck
//   Command2  m_downloadButton       StaB1     m_statusBar
//   exet      m_quitButton           Timer1    m_clockTimer
//   Option1   m_a51Option            ex        m_quitAction   (menu fa)
//   Option2   m_c51Option            W         m_forumAction  (menu HE)
//   Option3   m_horizontalOption     g         m_aboutAction  (menu HE)
//   Option4   m_verticalOption       previewAction m_previewAction (menu fa, Ctrl+P)
//
// The frames Frame1 to Frame6 only group controls and have no member. The
// menu entry 打开输出文件夹 (menu fa) has no form name: openOutputFolder,
// m_openOutputFolderAction.
class MainWindow final : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(DesktopServices &services, QWidget *parent = nullptr);
    ~MainWindow() override;

signals:
    // "串口下载": the download window takes over from this window.
    void downloadRequested();
    // "关于": the program's one about window opens over this window.
    void aboutRequested();
    // "显示预览" (Ctrl+P): the last conversion, as the display board shows it.
    void previewRequested(const ledglyph::preview::PreviewSource &source);

private:
    // Built in main_window_layout.cpp.
    void createControls();
    void createMenu();
    void setTabOrderOfControls();

    void showStartState();
    void showLaidOutText(const QString &text);
    void showExplanation(const QString &text);
    void refocusInput();
    ConversionOptions optionsFromControls() const;
    QString outputsNamed() const;

    void onConvertClicked();
    void onA51Clicked();
    void onC51Clicked();
    void onHorizontalClicked();
    void onCell8x16Clicked();
    void onCell16x16Clicked();
    void onInvertToggled();
    void onMirrorToggled();
    void onClockTick();
    void openForum();
    void onPreviewTriggered();

    DesktopServices &m_services;
    WindowMessageBox m_messageBox; // boxes of this window open centred on it
    ConversionRun m_run;
    std::optional<preview::PreviewSource> m_lastConversion; // zimuo.bin and its options

    QWidget *m_client = nullptr;
    QPlainTextEdit *m_inputBox = nullptr;
    QPlainTextEdit *m_outputBox = nullptr;
    QRadioButton *m_a51Option = nullptr;
    QRadioButton *m_c51Option = nullptr;
    QRadioButton *m_horizontalOption = nullptr;
    QRadioButton *m_verticalOption = nullptr;
    QRadioButton *m_cell8x16Option = nullptr;
    QRadioButton *m_cell16x16Option = nullptr;
    QCheckBox *m_invertCheck = nullptr;
    QCheckBox *m_mirrorCheck = nullptr;
    QPushButton *m_convertButton = nullptr;
    QPushButton *m_downloadButton = nullptr;
    QPushButton *m_quitButton = nullptr;
    StatusPanels *m_statusBar = nullptr;
    QTimer *m_clockTimer = nullptr;
    QAction *m_previewAction = nullptr;
    QAction *m_openOutputFolderAction = nullptr;
    QAction *m_quitAction = nullptr;
    QAction *m_forumAction = nullptr;
    QAction *m_aboutAction = nullptr;

    InputMonitor *m_inputMonitor = nullptr;
};

} // namespace ledglyph
