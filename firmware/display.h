/* What the 16 x 64 matrix shows: the glyph cells side by side as one strip that
 * scrolls left, one column per step, and starts again after its last cell.
 * Plain C without special-function registers: the firmware refreshes the
 * matrix from the frame this builds, even while a step rewrites it (see
 * `frame` in main.c); ledglyph-board draws the same frame.
 *
 * The board is wired for the tool's default options (invert and mirror on):
 * - a column lights when its shift-register output is 0 (the outputs sink
 *   the LED current), so inverted glyph data is shifted out unchanged;
 * - the first 74HC595 of the chain drives the leftmost eight columns, so the
 *   first bit shifted out lands on the rightmost column. A mirrored cell row
 *   (left byte, right byte, most significant bit first) holds its dots from
 *   the rightmost to the leftmost: as a 16-bit word (left byte high) bit c is
 *   the cell's column c counted from the left.
 *
 * Frame: DISPLAY_ROWS rows of DISPLAY_ROW_BYTES bytes in the order they are
 * shifted out, each most significant bit first; the last bit shifted is the
 * leftmost column. */
#ifndef LEDGLYPH_FIRMWARE_DISPLAY_H
#define LEDGLYPH_FIRMWARE_DISPLAY_H

#include "firmware/memory_spaces.h"

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#define DISPLAY_ROWS 16
#define DISPLAY_COLUMNS 64
#define DISPLAY_ROW_BYTES (DISPLAY_COLUMNS / 8)
#define DISPLAY_FRAME_BYTES (DISPLAY_ROWS * DISPLAY_ROW_BYTES)
#define DISPLAY_CELL_COLUMNS 16

/* Speed code 1 is the fastest: one column every 30 ms (about 33 columns a
 * second); code 6 moves a column every 180 ms. */
#define DISPLAY_STEP_MS_PER_CODE 30u

struct display {
    const BOARD_XDATA uint8_t *cells; /* glyph data, LEDGLYPH_CELL_BYTES per cell */
    BOARD_IDATA uint8_t *frame; /* DISPLAY_FRAME_BYTES */
    uint16_t width;        /* columns in the strip, 16 per cell shown */
    uint16_t next_column;  /* the strip column that enters at the right edge next */
};

/* Shows `cell_count` cells of `cells` from the strip's first column on (the
 * first four cells fill the matrix). No cells: every dot dark. */
void display_show(BOARD_XDATA struct display *d, BOARD_IDATA uint8_t *frame, const BOARD_XDATA uint8_t *cells, uint16_t cell_count);

/* Scrolls one column left; the next column of the strip enters at the right. */
void display_step(BOARD_XDATA struct display *d);

/* 1 when the dot at `row` (0 at the top) and `column` (0 at the left) is lit. */
uint8_t display_lit(const BOARD_IDATA uint8_t *frame, uint8_t row, uint8_t column);

/* Milliseconds between two steps for a speed code (1 to 6). */
uint16_t display_step_ms(uint8_t speed_code);

#ifdef __cplusplus
}
#endif

#endif
