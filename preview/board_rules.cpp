#include "preview/board_rules.h"

#include "protocol/wire_format.h"
#include "firmware/glyph_store.h"
#include "firmware/receiver.h"

namespace ledglyph::preview {

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

Status checkBoardAccepts(const QByteArray &data, int speedCode)
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
        return {};
    return Failure{refusalText(rx.refusal, data.size())};
}

} // namespace ledglyph::preview
