#include "preview/board_frames.h"

#include "protocol/wire_format.h"
#include "firmware/glyph_store.h"
#include "preview/board_rules.h"

namespace ledglyph::preview {

void BoardFrames::load(const QByteArray &glyphs)
{
    // The speed code does not change the board's decision.
    const Status accepted = checkBoardAccepts(glyphs, LEDGLYPH_SPEED_MIN);
    m_refusal = accepted.ok() ? std::nullopt : std::optional<QString>(accepted.error().message);
    m_glyphs = m_refusal ? QByteArray() : glyphs;
    showFromStart();
}

int BoardFrames::stepMs(int speedCode)
{
    return display_step_ms(uint8_t(speedCode));
}

void BoardFrames::showFromStart()
{
    const auto *cells = reinterpret_cast<const uint8_t *>(m_glyphs.constData());
    display_show(&m_display, m_frame.data(), cells, glyph_cells_shown(cells, uint16_t(m_glyphs.size())));
    m_step = 0;
}

void BoardFrames::seek(qint64 step)
{
    // The frame is the last 64 columns that entered, and the columns enter in
    // the strip's order round and round: step n shows what step n mod width
    // shows. Going back, or round the end, starts the strip again.
    const qint64 width = stripColumns();
    const qint64 target = width > 0 ? step % width : 0;
    qint64 at = width > 0 ? m_step % width : 0;
    if (target < at) {
        showFromStart();
        at = 0;
    }
    for (; at < target; ++at)
        display_step(&m_display);
    m_step = step;
}

bool BoardFrames::lit(int row, int column) const
{
    return display_lit(m_frame.data(), uint8_t(row), uint8_t(column));
}

} // namespace ledglyph::preview
