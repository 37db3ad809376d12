/* The glyph store: 32 KiB of battery-backed RAM holding the last accepted
 * glyph file, and at its end a record of that file (its length and speed
 * code) and of the board's last decision about a transfer. Plain C without
 * special-function registers, shared by the firmware and the host programs.
 *
 * Record at GLYPH_RECORD_OFFSET:
 *   +0 'L', +1 'G'             the record is valid
 *   +2, +3                     length of the glyph data, low byte first
 *   +4                         speed code (1 to 6)
 *   +5                         check: the exclusive or of bytes +0 to +4 and 0xA5
 *   +8                         transfers decided, modulo 256: never cleared (like the
 *                              rest of the store it outlives power cuts, and it starts
 *                              from whatever a new RAM holds), so two readings tell how
 *                              many came between them
 *   +9                         the last decision: 0 accepted, else an enum receiver_refusal
 * A maker reading the store with a programmer, or a test reading the
 * simulator's memory, finds the board's view there. */
#ifndef LEDGLYPH_FIRMWARE_GLYPH_STORE_H
#define LEDGLYPH_FIRMWARE_GLYPH_STORE_H

#include "protocol/wire_format.h"
#include "firmware/memory_spaces.h"

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#define GLYPH_STORE_BYTES 0x8000u
/* The largest file the tool writes: 1012 characters, 32,737 bytes. */
#define GLYPH_STORE_CAPACITY ((uint16_t)LEDGLYPH_GLYPH_FILE_MAX_BYTES)
#define GLYPH_RECORD_OFFSET 0x7FF0u
#define GLYPH_RECORD_DECISIONS (GLYPH_RECORD_OFFSET + 8u)
#define GLYPH_RECORD_LAST_DECISION (GLYPH_RECORD_OFFSET + 9u)

/* Copies an accepted transfer into the store. The record is made invalid
 * first and written last, so that a power cut during the copy leaves a dark
 * board rather than a mix of two files. */
void glyph_store_accept(BOARD_XDATA uint8_t *store, const BOARD_XDATA uint8_t *data, uint16_t length, uint8_t speed);

/* Counts a decision about a transfer (0: accepted, else the refusal). */
void glyph_store_note(BOARD_XDATA uint8_t *store, uint8_t decision);

/* The stored file's length, or 0 when the record is not valid. */
uint16_t glyph_store_length(const BOARD_XDATA uint8_t *store);
uint8_t glyph_store_speed(const BOARD_XDATA uint8_t *store);

/* Cells of a glyph file the matrix shows: every whole cell, less the cells of
 * nothing but 0x00 at its end (8*16 mode leaves its spare cells so; on this
 * board they would be solid blocks of lit dots). */
uint16_t glyph_cells_shown(const BOARD_XDATA uint8_t *data, uint16_t length);

#ifdef __cplusplus
}
#endif

#endif
