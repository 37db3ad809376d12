#include "ui/preview_window.h"

#include "preview/drawing/animation_export.h"
#include "preview/drawing/matrix_drawing.h"
#include "ui/matrix_view.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace ledglyph {

using preview::BoardFrames;

namespace {

const QString playText = QStringLiteral("播放");
const QString pauseText = QStringLiteral("暂停");

struct Zoom {
    const char *text;
    int dotPixels;
};
constexpr Zoom zooms[] = {{"50%", 4}, {"75%", 6}, {"100%", preview::filmDotPixels}, {"150%", 12}, {"200%", 16}};
constexpr int defaultZoom = 2;

} // namespace

PreviewWindow::PreviewWindow(DesktopServices &services, QWidget *owner)
    : QWidget(owner, Qt::Tool), m_services(services), m_messageBox(services.messageBox, *this)
{
    setObjectName(QStringLiteral("previewWindow"));
    setWindowTitle(preview::windowTitle);
    buildControls();

    m_tick.setSingleShot(true);
    m_tick.setTimerType(Qt::PreciseTimer);
    connect(&m_tick, &QTimer::timeout, this, &PreviewWindow::onTick);
    connect(m_speedList, &QComboBox::currentIndexChanged, this, &PreviewWindow::onSpeedChosen);
    connect(m_zoomList, &QComboBox::currentIndexChanged, this, &PreviewWindow::onZoomChosen);
}

void PreviewWindow::buildControls()
{
    const auto button = [this](const QString &text, const char *name, void (PreviewWindow::*onClicked)()) {
        auto *made = new QPushButton(text, this);
        made->setObjectName(QLatin1String(name));
        connect(made, &QPushButton::clicked, this, onClicked);
        return made;
    };
    m_matrix = new MatrixView(m_frames, this);
    m_matrix->setObjectName(QStringLiteral("matrix"));
    m_noteLine = new QLabel(this);
    m_noteLine->setObjectName(QStringLiteral("noteLine"));
    m_noteLine->setWordWrap(true);

    m_speedList = new QComboBox(this);
    m_speedList->setObjectName(QStringLiteral("speedList"));
    for (int code = LEDGLYPH_SPEED_MIN; code <= LEDGLYPH_SPEED_MAX; ++code)
        m_speedList->addItem(QStringLiteral("变化速度%1（每列 %2 毫秒）").arg(code).arg(BoardFrames::stepMs(code)));
    m_playButton = button(pauseText, "playButton", &PreviewWindow::onPlayClicked);
    QPushButton *stepButton = button(QStringLiteral("前进一列"), "stepButton", &PreviewWindow::onStepClicked);
    m_zoomList = new QComboBox(this);
    m_zoomList->setObjectName(QStringLiteral("zoomList"));
    for (const Zoom &zoom : zooms)
        m_zoomList->addItem(QLatin1String(zoom.text));
    m_zoomList->setCurrentIndex(defaultZoom);
    QPushButton *stripButton = button(QStringLiteral("导出画面条…"), "stripButton", &PreviewWindow::onStripClicked);
    QPushButton *animationButton =
        button(QStringLiteral("导出动画…"), "animationButton", &PreviewWindow::onAnimationClicked);
    m_playControls = {m_playButton, stepButton, stripButton, animationButton};
    m_exportLine = new QLabel(this);
    m_exportLine->setObjectName(QStringLiteral("exportLine"));
    m_exportLine->setWordWrap(true);

    auto *controls = new QHBoxLayout;
    controls->addWidget(new QLabel(QStringLiteral("速度："), this));
    controls->addWidget(m_speedList);
    controls->addWidget(m_playButton);
    controls->addWidget(stepButton);
    controls->addWidget(new QLabel(QStringLiteral("缩放："), this));
    controls->addWidget(m_zoomList);
    controls->addStretch();
    controls->addWidget(stripButton);
    controls->addWidget(animationButton);

    auto *column = new QVBoxLayout(this);
    column->setSizeConstraint(QLayout::SetFixedSize); // the window follows the zoom
    column->addWidget(m_matrix, 0, Qt::AlignHCenter);
    column->addWidget(m_noteLine);
    column->addLayout(controls);
    column->addWidget(m_exportLine);
}

int PreviewWindow::speedCode() const
{
    return m_speedList->currentIndex() + LEDGLYPH_SPEED_MIN;
}

void PreviewWindow::play(const preview::PreviewSource &source)
{
    m_source = source;
    m_frames.load(source.glyphs);
    const QString note = preview::previewNote(source, m_frames.refusal());
    m_noteLine->setText(note);
    m_noteLine->setVisible(!note.isEmpty());
    m_exportLine->clear();
    {
        const QSignalBlocker quiet(m_speedList);
        m_speedList->setCurrentIndex(qBound(LEDGLYPH_SPEED_MIN, source.speedCode, LEDGLYPH_SPEED_MAX)
                                     - LEDGLYPH_SPEED_MIN);
    }
    // A board that shows nothing has nothing to play or to export.
    const bool shown = m_frames.stripColumns() > 0;
    for (QPushButton *control : m_playControls)
        control->setEnabled(shown);
    showStep(0);
    setPlaying(shown);
}

void PreviewWindow::seekTime(qint64 ms)
{
    showStep(BoardFrames::stepAt(ms, speedCode()));
    if (m_playing)
        startClock();
}

void PreviewWindow::setPlaying(bool playing)
{
    m_playing = playing;
    m_playButton->setText(playing ? pauseText : playText);
    if (playing)
        startClock();
    else
        m_tick.stop();
}

void PreviewWindow::startClock()
{
    m_playFromStep = m_frames.step();
    m_sincePlay.start();
    onTick();
}

void PreviewWindow::onTick()
{
    const int stepMs = BoardFrames::stepMs(speedCode());
    const qint64 due = m_playFromStep + m_sincePlay.elapsed() / stepMs;
    if (due != m_frames.step()) {
        // Painted at once: an update() would wait for the platform's next
        // update request, some milliseconds later.
        m_frames.seek(due);
        m_matrix->repaint();
    }
    // Wake when the next step is due, reckoned from the start of play, so
    // that no tick's lateness carries over to the next.
    const qint64 nextDueMs = (due - m_playFromStep + 1) * stepMs;
    m_tick.start(int(qMax<qint64>(0, nextDueMs - m_sincePlay.elapsed())));
}

void PreviewWindow::showStep(qint64 step)
{
    m_frames.seek(step);
    m_matrix->update();
}

void PreviewWindow::onPlayClicked()
{
    setPlaying(!m_playing);
}

void PreviewWindow::onStepClicked()
{
    setPlaying(false);
    showStep(m_frames.step() + 1);
}

void PreviewWindow::onSpeedChosen()
{
    // The matrix stays where it is; the new speed counts from now.
    if (m_playing)
        startClock();
}

void PreviewWindow::onZoomChosen()
{
    m_matrix->setDotPixels(zooms[m_zoomList->currentIndex()].dotPixels);
}

void PreviewWindow::onStripClicked()
{
    const QString path = m_services.fileDialog.getSaveFileName(this, QStringLiteral("PNG 图片 (*.png)"),
                                                               QStringLiteral("显示画面.png"));
    if (path.isEmpty())
        return;
    if (const Status written = preview::writeFilmStrip(path, m_source.glyphs, speedCode(), preview::filmStripTimesMs);
        !written.ok()) {
        m_messageBox.show(written.error().message, MessageIcon::Exclamation, preview::windowTitle);
        return;
    }
    m_exportLine->setText(QStringLiteral("画面条已保存：%1").arg(QDir::toNativeSeparators(path)));
}

void PreviewWindow::onAnimationClicked()
{
    const QByteArray format = preview::animatedImageFormat();
    const QString suffix = format.isEmpty() ? QStringLiteral("png") : QString::fromLatin1(format);
    const QString filter = format.isEmpty() ? QStringLiteral("PNG 图片，每步一张 (*.png)")
                                            : QStringLiteral("动画 (*.%1)").arg(suffix);
    const QString path =
        m_services.fileDialog.getSaveFileName(this, filter, QStringLiteral("显示动画.%1").arg(suffix));
    if (path.isEmpty())
        return;
    const int steps = preview::animationSteps(m_frames.stripColumns(), speedCode());
    const Result<QStringList> written = preview::writeAnimation(path, m_source.glyphs, steps, m_matrix->dotPixels());
    if (!written.ok()) {
        m_messageBox.show(written.error().message, MessageIcon::Exclamation, preview::windowTitle);
        return;
    }
    const QStringList &files = written.value();
    if (!format.isEmpty())
        m_exportLine->setText(QStringLiteral("动画已保存：%1").arg(QDir::toNativeSeparators(path)));
    else
        m_exportLine->setText(QStringLiteral("已保存 %1 张图片，每张 %2 毫秒：%3 至 %4")
                      .arg(files.size())
                      .arg(BoardFrames::stepMs(speedCode()))
                      .arg(QDir::toNativeSeparators(files.first()), QFileInfo(files.last()).fileName()));
}

} // namespace ledglyph
