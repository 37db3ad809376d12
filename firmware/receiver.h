/* The board's side of the download, one received byte at a time: answers the
 * poll, checks the header, stores the data and decides, once the line has gone
 * quiet, whether the transfer is accepted. Plain C without special-function
 * registers, so that the firmware and the host programs (ledglyph-board, the
 * tests) follow the same rules.
 *
 *   idle    --poll--> answer, armed (one minute for the header; a poll answers
 *           again, unless it comes so soon after the answer that it was
 *           already on its way: the sender sees one answer per handshake)
 *   idle    --other byte--> stray: bytes of a transfer nobody announced (or
 *           one that came too late) are ignored, polls too, until the line
 *           has been quiet for a moment
 *   armed   --0x79--> header --0x01, speed 1..6--> data --quiet--> accepted or refused
 *   a wrong header byte, a byte other than 0x79 when armed, or data beyond the
 *   buffer: discard everything until the line is quiet, then refused.
 *
 * A transfer is accepted when its last three bytes are the trailer and the
 * glyph data before them is 32 * L + 353 bytes long for some L >= 1. Nothing is
 * decided while bytes keep coming: the data may itself hold the trailer bytes. */
#ifndef LEDGLYPH_FIRMWARE_RECEIVER_H
#define LEDGLYPH_FIRMWARE_RECEIVER_H

#include "protocol/wire_format.h"
#include "firmware/memory_spaces.h"

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* After answering a poll the board waits this long for the header. */
#define RECEIVER_HEADER_WAIT_MS 60000u
/* A transfer ends when no byte has come for this long. At 9600 baud a byte
 * takes about 1 ms; the margin covers a sender that pauses now and then. */
#define RECEIVER_QUIET_MS ((uint16_t)LEDGLYPH_DECISION_QUIET_MS)
/* Polls this soon after an answer crossed it on the line. */
#define RECEIVER_ANSWER_GAP_MS 500u
/* Stray bytes end with a shorter pause: the sender polls every 100 ms. */
#define RECEIVER_STRAY_QUIET_MS 50u
/* The board passes the time on in steps of this many milliseconds: the
 * limits above (50 ms, 500 ms, one minute) need no finer step. */
#define RECEIVER_STEP_MS 8

enum receiver_state {
    RECEIVER_IDLE,    /* answers polls; other bytes are ignored */
    RECEIVER_ARMED,   /* a poll was answered: the next non-poll byte starts a transfer */
    RECEIVER_HEADER,  /* 0x79 came; the fixed byte and the speed code follow */
    RECEIVER_DATA,    /* storing bytes until the line goes quiet */
    RECEIVER_DISCARD, /* a refused transfer: bytes are dropped until the line goes quiet */
    RECEIVER_STRAY    /* bytes that no answer announced: dropped until the line pauses */
};

/* What the caller has to do after a byte or the passing of time. */
enum receiver_event {
    RECEIVER_NOTHING,
    RECEIVER_ANSWER,   /* send LEDGLYPH_SIGNAL_BYTE */
    RECEIVER_ACCEPTED, /* the buffer holds `length` bytes of glyph data, `speed` their speed code */
    RECEIVER_REFUSED   /* the transfer is dropped, `refusal` says why */
};

/* Why a transfer was refused. The values are kept in the board's memory. */
enum receiver_refusal {
    REFUSAL_NONE = 0,
    REFUSAL_BAD_HEADER = 1,   /* not 0x79 0x01 and a speed code 1 to 6 */
    REFUSAL_CUT_OFF = 2,      /* the line went quiet without the trailer */
    REFUSAL_WRONG_LENGTH = 3, /* not 32 * L + 353 bytes of glyph data */
    REFUSAL_TOO_LONG = 4,     /* more data than the glyph store holds */
    REFUSAL_LOST_BYTES = 5    /* the board could not keep up and lost bytes */
};

struct receiver {
    BOARD_XDATA uint8_t *buffer; /* room for capacity + LEDGLYPH_TRAILER_LENGTH bytes */
    uint16_t capacity;      /* the most glyph data a transfer may carry */
    uint16_t count;         /* bytes stored since the header, trailer included */
    uint16_t quiet_ms;      /* time since the last byte */
    uint16_t answered_ms;   /* time since the last answer */
    uint16_t length;        /* glyph data of the accepted transfer */
    uint8_t state;          /* enum receiver_state */
    uint8_t header_count;   /* header bytes taken so far */
    uint8_t speed;          /* speed code of the transfer under way or just accepted */
    uint8_t refusal;        /* enum receiver_refusal of the transfer being dropped */
};

void receiver_init(BOARD_XDATA struct receiver *rx, BOARD_XDATA uint8_t *buffer, uint16_t capacity);

/* One byte from the line. Returns an enum receiver_event. */
uint8_t receiver_byte(BOARD_XDATA struct receiver *rx, uint8_t byte);

/* `elapsed_ms` have passed without a byte (the caller adds them up between
 * calls). Returns an enum receiver_event: a transfer is decided here. */
uint8_t receiver_time(BOARD_XDATA struct receiver *rx, uint16_t elapsed_ms);

/* The line delivered bytes the board did not take: the transfer under way,
 * if any, cannot be whole. */
void receiver_lost_bytes(BOARD_XDATA struct receiver *rx);

/* 1 when a transfer is coming in (header, data or discarded bytes). */
uint8_t receiver_busy(const BOARD_XDATA struct receiver *rx);

/* 1 when `length` bytes are a glyph file the tool writes: 32 * L + 353, L >= 1. */
uint8_t receiver_length_valid(uint16_t length);

#ifdef __cplusplus
}
#endif

#endif
