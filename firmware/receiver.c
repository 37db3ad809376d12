#include "firmware/receiver.h"

#include "protocol/wire_format.h"

#define SMALLEST_FILE (LEDGLYPH_CELL_BYTES + LEDGLYPH_GLYPH_FILE_TAIL_BYTES)

void receiver_init(BOARD_XDATA struct receiver *rx, BOARD_XDATA uint8_t *buffer, uint16_t capacity)
{
    rx->buffer = buffer;
    rx->capacity = capacity;
    rx->count = 0;
    rx->quiet_ms = 0;
    rx->answered_ms = 0;
    rx->length = 0;
    rx->state = RECEIVER_IDLE;
    rx->header_count = 0;
    rx->speed = 0;
    rx->refusal = REFUSAL_NONE;
}

static uint8_t answer(BOARD_XDATA struct receiver *rx)
{
    rx->state = RECEIVER_ARMED;
    rx->answered_ms = 0;
    return RECEIVER_ANSWER;
}

static void discard(BOARD_XDATA struct receiver *rx, uint8_t refusal)
{
    rx->state = RECEIVER_DISCARD;
    rx->refusal = refusal;
}

uint8_t receiver_byte(BOARD_XDATA struct receiver *rx, uint8_t byte)
{
    rx->quiet_ms = 0;
    switch (rx->state) {
    case RECEIVER_IDLE:
        if (byte == LEDGLYPH_POLL_BYTE)
            return answer(rx);
        rx->state = RECEIVER_STRAY;
        return RECEIVER_NOTHING;
    case RECEIVER_ARMED:
        if (byte == LEDGLYPH_POLL_BYTE)
            return rx->answered_ms < RECEIVER_ANSWER_GAP_MS ? RECEIVER_NOTHING : answer(rx);
        rx->count = 0;
        rx->header_count = 1;
        if (byte == LEDGLYPH_HEADER_START)
            rx->state = RECEIVER_HEADER;
        else
            discard(rx, REFUSAL_BAD_HEADER);
        return RECEIVER_NOTHING;
    case RECEIVER_HEADER:
        ++rx->header_count;
        if (rx->header_count == 2) {
            if (byte != LEDGLYPH_HEADER_FIXED)
                discard(rx, REFUSAL_BAD_HEADER);
        } else if (byte < LEDGLYPH_SPEED_MIN || byte > LEDGLYPH_SPEED_MAX) {
            discard(rx, REFUSAL_BAD_HEADER);
        } else {
            rx->speed = byte;
            rx->state = RECEIVER_DATA;
        }
        return RECEIVER_NOTHING;
    case RECEIVER_DATA:
        if (rx->count == rx->capacity + LEDGLYPH_TRAILER_LENGTH) {
            discard(rx, REFUSAL_TOO_LONG);
            return RECEIVER_NOTHING;
        }
        rx->buffer[rx->count++] = byte;
        return RECEIVER_NOTHING;
    default: /* RECEIVER_DISCARD, RECEIVER_STRAY */
        return RECEIVER_NOTHING;
    }
}

static uint8_t ends_with_trailer(const BOARD_XDATA struct receiver *rx)
{
    uint8_t i;
    if (rx->count < LEDGLYPH_TRAILER_LENGTH)
        return 0;
    for (i = 1; i <= LEDGLYPH_TRAILER_LENGTH; ++i)
        if (rx->buffer[rx->count - i] != LEDGLYPH_TRAILER_BYTE)
            return 0;
    return 1;
}

uint8_t receiver_length_valid(uint16_t length)
{
    return length >= SMALLEST_FILE
           && (uint16_t)(length - LEDGLYPH_GLYPH_FILE_TAIL_BYTES) % LEDGLYPH_CELL_BYTES == 0;
}

/* The line went quiet in the middle of a transfer: accept or refuse it. */
static uint8_t decide(BOARD_XDATA struct receiver *rx)
{
    uint16_t length;
    if (rx->state == RECEIVER_HEADER)
        rx->refusal = REFUSAL_CUT_OFF;
    else if (rx->state == RECEIVER_DATA) {
        length = rx->count - LEDGLYPH_TRAILER_LENGTH;
        if (!ends_with_trailer(rx))
            rx->refusal = REFUSAL_CUT_OFF;
        else if (!receiver_length_valid(length))
            rx->refusal = REFUSAL_WRONG_LENGTH;
        else {
            rx->length = length;
            rx->refusal = REFUSAL_NONE;
        }
    }
    rx->state = RECEIVER_IDLE;
    return rx->refusal == REFUSAL_NONE ? RECEIVER_ACCEPTED : RECEIVER_REFUSED;
}

static uint16_t later(uint16_t ms, uint16_t elapsed_ms)
{
    return elapsed_ms > 0xFFFFu - ms ? 0xFFFFu : ms + elapsed_ms;
}

uint8_t receiver_time(BOARD_XDATA struct receiver *rx, uint16_t elapsed_ms)
{
    rx->quiet_ms = later(rx->quiet_ms, elapsed_ms);
    rx->answered_ms = later(rx->answered_ms, elapsed_ms);
    switch (rx->state) {
    case RECEIVER_IDLE:
        return RECEIVER_NOTHING;
    case RECEIVER_ARMED:
        if (rx->answered_ms >= RECEIVER_HEADER_WAIT_MS)
            rx->state = RECEIVER_IDLE;
        return RECEIVER_NOTHING;
    case RECEIVER_STRAY:
        if (rx->quiet_ms >= RECEIVER_STRAY_QUIET_MS)
            rx->state = RECEIVER_IDLE;
        return RECEIVER_NOTHING;
    default:
        return rx->quiet_ms >= RECEIVER_QUIET_MS ? decide(rx) : RECEIVER_NOTHING;
    }
}

void receiver_lost_bytes(BOARD_XDATA struct receiver *rx)
{
    if (receiver_busy(rx))
        discard(rx, REFUSAL_LOST_BYTES);
}

uint8_t receiver_busy(const BOARD_XDATA struct receiver *rx)
{
    return rx->state == RECEIVER_HEADER || rx->state == RECEIVER_DATA || rx->state == RECEIVER_DISCARD;
}
