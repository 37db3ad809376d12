#include "tools/board/board_rules.h"

#include "download/wire_format.h"
#include "firmware/display.h"
#include "firmware/glyph_store.h"
#include "firmware/receiver.h"

#include <QPainter>

#include <array>

namespace ledglyph::board {

namespace {

constexpr int dotPixels = 8;   // a dot and the gap around it
constexpr int framePadding = 8; // dark board around each frame
constexpr QRgb boardColour = qRgb(24, 24, 24);
constexpr QRgb litColour = qRgb(255, 48, 32);
constexpr QRgb darkColour = qRgb(64, 24, 24);

QString refusalText(int refusal, qsizetype length)
{
    switch (refusal) {
    case REFUSAL_BAD_HEADER:
        return QStringLiteral("传输头错误");
    case REFUSAL_CUT_OFF:
        return QStringLiteral("传输不完整（没有结束标志）");
    case REFUSAL_WRONG_LENGTH:
        return QStringLiteral("字模数据 %1 字节，不是 32×字数+353（至少 1 个字）").arg(length);
    case REFUSAL_TOO_LONG:
        return QStringLiteral("字模数据 %1 字节，超过显示板的容量 %2 字节").arg(length).arg(GLYPH_STORE_CAPACITY);
    default:
        return QStringLiteral("丢失了字节");
    }
}

} // namespace

std::optional<QString> boardRefusal(const QByteArray &data, int speedCode)
{
    // The transfer as the board's receiver takes it: answered poll, header,
    // data, trailer, then a quiet line.
    QByteArray buffer(GLYPH_STORE_CAPACITY + LEDGLYPH_TRAILER_LENGTH, 0);
    receiver rx{};
    receiver_init(&rx, reinterpret_cast<uint8_t *>(buffer.data()), GLYPH_STORE_CAPACITY);
    const QByteArray stream = QByteArray(1, LEDGLYPH_POLL_BYTE) + char(LEDGLYPH_HEADER_START)
                              + char(LEDGLYPH_HEADER_FIXED) + char(speedCode) + data
                              + QByteArray(LEDGLYPH_TRAILER_LENGTH, LEDGLYPH_TRAILER_BYTE);
    for (const char byte : stream)
        receiver_byte(&rx, uint8_t(byte));
    if (receiver_time(&rx, RECEIVER_QUIET_MS) == RECEIVER_ACCEPTED)
        return std::nullopt;
    return refusalText(rx.refusal, data.size());
}

QImage filmStrip(const QByteArray &glyphs, int speedCode, const QList<int> &timesMs)
{
    const int frameWidth = DISPLAY_COLUMNS * dotPixels + 2 * framePadding;
    const int frameHeight = DISPLAY_ROWS * dotPixels + 2 * framePadding;
    QImage strip(frameWidth, frameHeight * int(timesMs.size()), QImage::Format_RGB32);
    strip.fill(boardColour);
    QPainter painter(&strip);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);

    const auto *cells = reinterpret_cast<const uint8_t *>(glyphs.constData());
    std::array<uint8_t, DISPLAY_FRAME_BYTES> frame{};
    display matrix{};
    display_show(&matrix, frame.data(), cells, glyph_cells_shown(cells, uint16_t(glyphs.size())));
    const int stepMs = display_step_ms(uint8_t(speedCode));
    int stepsTaken = 0;
    for (int i = 0; i < timesMs.size(); ++i) {
        // Times in any order: a frame earlier than the last one starts over.
        const int steps = timesMs.at(i) / stepMs;
        if (steps < stepsTaken) {
            display_show(&matrix, frame.data(), cells, glyph_cells_shown(cells, uint16_t(glyphs.size())));
            stepsTaken = 0;
        }
        for (; stepsTaken < steps; ++stepsTaken)
            display_step(&matrix);
        for (int row = 0; row < DISPLAY_ROWS; ++row) {
            for (int column = 0; column < DISPLAY_COLUMNS; ++column) {
                painter.setBrush(QColor(display_lit(frame.data(), uint8_t(row), uint8_t(column)) ? litColour : darkColour));
                painter.drawEllipse(QRectF(framePadding + column * dotPixels + 1, i * frameHeight + framePadding + row * dotPixels + 1,
                                           dotPixels - 2, dotPixels - 2));
            }
        }
    }
    return strip;
}

} // namespace ledglyph::board
