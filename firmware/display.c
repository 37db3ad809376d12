#include "firmware/display.h"

#include "protocol/wire_format.h"

void display_show(BOARD_XDATA struct display *d, BOARD_IDATA uint8_t *frame, const BOARD_XDATA uint8_t *cells, uint16_t cell_count)
{
    uint8_t column;
    uint8_t i;
    d->cells = cells;
    d->frame = frame;
    d->width = cell_count * DISPLAY_CELL_COLUMNS;
    d->next_column = 0;
    for (i = 0; i < DISPLAY_FRAME_BYTES; ++i)
        frame[i] = 0xFF; /* every column dark */
    for (column = 0; column < DISPLAY_COLUMNS; ++column)
        display_step(d);
}

void display_step(BOARD_XDATA struct display *d)
{
    const BOARD_XDATA uint8_t *source;
    BOARD_IDATA uint8_t *row_bytes;
    uint8_t mask;
    uint8_t incoming;
    uint8_t carry;
    uint8_t row;
    uint8_t i;
    if (d->width == 0)
        return;
    /* Column c of a cell is bit c of its row word: the right byte holds columns 0 to 7. */
    source = d->cells + (d->next_column / DISPLAY_CELL_COLUMNS) * LEDGLYPH_CELL_BYTES
             + ((d->next_column & 8) ? 0 : 1);
    mask = (uint8_t)(1u << (d->next_column & 7));
    row_bytes = d->frame;
    for (row = 0; row < DISPLAY_ROWS; ++row) {
        /* The whole row moves one column towards the left edge, the last bit
         * shifted out; the new column becomes the first bit shifted out. */
        incoming = (source[2 * row] & mask) ? 0x80 : 0x00;
        for (i = 0; i < DISPLAY_ROW_BYTES; ++i) {
            carry = (uint8_t)(row_bytes[i] << 7);
            row_bytes[i] = (uint8_t)((row_bytes[i] >> 1) | incoming);
            incoming = carry;
        }
        row_bytes += DISPLAY_ROW_BYTES;
    }
    if (++d->next_column == d->width)
        d->next_column = 0;
}

uint8_t display_lit(const BOARD_IDATA uint8_t *frame, uint8_t row, uint8_t column)
{
    /* Column 0 is the last bit shifted out: the least significant bit of the row's last byte. */
    const uint8_t byte = frame[row * DISPLAY_ROW_BYTES + (DISPLAY_ROW_BYTES - 1) - column / 8];
    return (byte & (1u << (column & 7))) == 0;
}

uint16_t display_step_ms(uint8_t speed_code)
{
    return (uint16_t)(speed_code * DISPLAY_STEP_MS_PER_CODE);
}
