#pragma once

#include "platform/gui/desktop_services.h"
#include "preview/board_frames.h"
#include "preview/preview_source.h"

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

class QComboBox;
class QLabel;
class QPushButton;

namespace ledglyph {

class MatrixView;

// "显示预览": plays a glyph file on a drawn 16 x 64 matrix as the reference
// board shows it, with the frames of the firmware's own display code. A tool
// window over the window that opened it (its parent), closed with it.
//
// Controls (object names): matrix m_matrix, noteLine m_noteLine (why the board
// shows nothing, negative or mirrored text), speedList m_speedList (speed
// codes 1 to 6), playButton m_playButton, stepButton (one column on),
// zoomList m_zoomList, stripButton (the film strip PNG), animationButton and
// exportLine m_exportLine (what was saved).
class PreviewWindow final : public QWidget {
    Q_OBJECT
public:
    PreviewWindow(DesktopServices &services, QWidget *owner);

    // Plays `source` from the moment the board took it, at its speed code.
    void play(const preview::PreviewSource &source);
    // Shows the matrix `ms` after the glyphs arrived at the chosen speed;
    // playing goes on from there.
    void seekTime(qint64 ms);

    const preview::BoardFrames &frames() const { return m_frames; }
    int speedCode() const;
    bool isPlaying() const { return m_playing; }
    MatrixView &matrix() const { return *m_matrix; }

private:
    void buildControls();
    void setPlaying(bool playing);
    void startClock();
    void showStep(qint64 step);
    void onTick();
    void onPlayClicked();
    void onStepClicked();
    void onSpeedChosen();
    void onZoomChosen();
    void onStripClicked();
    void onAnimationClicked();

    DesktopServices &m_services;
    WindowMessageBox m_messageBox;
    preview::PreviewSource m_source;
    preview::BoardFrames m_frames;

    // Steps are counted from the time played, not from timer ticks: a late
    // tick catches up instead of slowing the scroll down.
    QTimer m_tick;
    QElapsedTimer m_sincePlay;
    qint64 m_playFromStep = 0;
    bool m_playing = false;

    MatrixView *m_matrix = nullptr;
    QLabel *m_noteLine = nullptr;
    QComboBox *m_speedList = nullptr;
    QComboBox *m_zoomList = nullptr;
    QPushButton *m_playButton = nullptr;
    QList<QPushButton *> m_playControls; // play, step and the exports: off while the board shows nothing
    QLabel *m_exportLine = nullptr;
};

} // namespace ledglyph
