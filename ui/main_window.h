#pragma once

#include "core/conversion_run.h"
#include "platform/gui/desktop_services.h"

#include <QMainWindow>
#include <QPointer>

class QAction;
class QCheckBox;
class QGroupBox;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTimer;

namespace ledglyph {

class Form2;
class InputMonitor;
class StatusPanels;

// The main window: the input box, the options a conversion reads, the
// conversion button, the output box, the six status panels with their clock,
// and the menu. Every control carries its form name as object name.
class Form1 final : public QMainWindow {
    Q_OBJECT
public:
    explicit Form1(DesktopServices &services, QWidget *parent = nullptr);
    ~Form1() override;

signals:
    // "串口下载": the download window takes over from this window.
    void downloadRequested();

private:
    // Built in main_window_layout.cpp.
    void createControls();
    void createMenu();
    void setTabOrderOfControls();

    void formLoad();
    void refocus();
    ConversionOptions optionsFromControls() const;

    // Event handlers, named after their control and event.
    void command1Click();
    void option1Click();
    void option2Click();
    void option3Click();
    void option5Click();
    void option6Click();
    void check1Click();
    void check2Click();
    void timer1Timer();
    void gClick();
    void wClick();

    DesktopServices &m_services;
    WindowMessageBox m_messageBox; // boxes of this window open centred on it
    ConversionRun m_run;

    QWidget *m_client = nullptr;
    QGroupBox *m_frame1 = nullptr;
    QGroupBox *m_frame2 = nullptr;
    QGroupBox *m_frame3 = nullptr;
    QGroupBox *m_frame4 = nullptr;
    QGroupBox *m_frame5 = nullptr;
    QGroupBox *m_frame6 = nullptr;
    QPlainTextEdit *m_srcTxt = nullptr;
    QPlainTextEdit *m_text2 = nullptr;
    QRadioButton *m_option1 = nullptr;
    QRadioButton *m_option2 = nullptr;
    QRadioButton *m_option3 = nullptr;
    QRadioButton *m_option4 = nullptr;
    QRadioButton *m_option5 = nullptr;
    QRadioButton *m_option6 = nullptr;
    QCheckBox *m_check1 = nullptr;
    QCheckBox *m_check2 = nullptr;
    QPushButton *m_command1 = nullptr;
    QPushButton *m_command2 = nullptr;
    QPushButton *m_exet = nullptr;
    StatusPanels *m_staB1 = nullptr;
    QTimer *m_timer1 = nullptr;
    QAction *m_ex = nullptr;
    QAction *m_w = nullptr;
    QAction *m_g = nullptr;

    InputMonitor *m_inputMonitor = nullptr;
};

} // namespace ledglyph
