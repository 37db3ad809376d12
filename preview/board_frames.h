#pragma once

// What the reference board's 16 x 64 matrix shows of a glyph file, step by
// step, made by the firmware's own display code (firmware/display.c) and not
// by a second implementation of it. The preview window, the film strip and
// the animated export all take their frames from here.

#include "firmware/display.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <optional>

namespace ledglyph::preview {

class BoardFrames {
public:
    // At step 0, the frame the board shows as soon as it has taken `glyphs`.
    explicit BoardFrames(const QByteArray &glyphs = {}) { load(glyphs); }
    Q_DISABLE_COPY_MOVE(BoardFrames)

    // Glyphs the board refuses show nothing (every dot dark): the board
    // would keep its earlier glyphs, which the preview cannot know.
    void load(const QByteArray &glyphs);
    // Why the board refuses the glyphs; empty when it takes them.
    const std::optional<QString> &refusal() const { return m_refusal; }

    // Milliseconds between two steps at speed code 1 to 6.
    static int stepMs(int speedCode);
    // The step the board shows `ms` after the glyphs arrived.
    static qint64 stepAt(qint64 ms, int speedCode) { return ms / stepMs(speedCode); }

    // Steps until the strip starts again; 0 when nothing is shown.
    int stripColumns() const { return m_display.width; }

    qint64 step() const { return m_step; }
    void seek(qint64 step); // 0 or later
    bool lit(int row, int column) const;

private:
    void showFromStart();

    QByteArray m_glyphs; // the cells the display reads; not changed while loaded
    std::optional<QString> m_refusal;
    std::array<uint8_t, DISPLAY_FRAME_BYTES> m_frame{};
    display m_display{};
    qint64 m_step = 0;
};

} // namespace ledglyph::preview
