#include "firmware/glyph_store.h"

#include "protocol/wire_format.h"

#include <string.h>

#define RECORD_CHECK_SEED 0xA5u

static uint8_t record_check(const BOARD_XDATA uint8_t *record)
{
    uint8_t check = RECORD_CHECK_SEED;
    uint8_t i;
    for (i = 0; i < 5; ++i)
        check ^= record[i];
    return check;
}

void glyph_store_accept(BOARD_XDATA uint8_t *store, const BOARD_XDATA uint8_t *data, uint16_t length, uint8_t speed)
{
    BOARD_XDATA uint8_t *record = store + GLYPH_RECORD_OFFSET;
    record[0] = 0;
    memcpy(store, data, length);
    record[2] = (uint8_t)length;
    record[3] = (uint8_t)(length >> 8);
    record[4] = speed;
    record[1] = 'G';
    record[0] = 'L';
    record[5] = record_check(record);
}

void glyph_store_note(BOARD_XDATA uint8_t *store, uint8_t decision)
{
    ++store[GLYPH_RECORD_DECISIONS];
    store[GLYPH_RECORD_LAST_DECISION] = decision;
}

uint16_t glyph_store_length(const BOARD_XDATA uint8_t *store)
{
    const BOARD_XDATA uint8_t *record = store + GLYPH_RECORD_OFFSET;
    uint16_t length;
    if (record[0] != 'L' || record[1] != 'G' || record[5] != record_check(record))
        return 0;
    length = (uint16_t)(record[2] | ((uint16_t)record[3] << 8));
    if (length > GLYPH_STORE_CAPACITY || record[4] < LEDGLYPH_SPEED_MIN || record[4] > LEDGLYPH_SPEED_MAX)
        return 0;
    return length;
}

uint8_t glyph_store_speed(const BOARD_XDATA uint8_t *store)
{
    return store[GLYPH_RECORD_OFFSET + 4];
}

uint16_t glyph_cells_shown(const BOARD_XDATA uint8_t *data, uint16_t length)
{
    uint16_t cells = length / LEDGLYPH_CELL_BYTES;
    uint8_t i;
    while (cells > 0) {
        const BOARD_XDATA uint8_t *cell = data + (cells - 1) * LEDGLYPH_CELL_BYTES;
        for (i = 0; i < LEDGLYPH_CELL_BYTES; ++i)
            if (cell[i] != 0)
                return cells;
        --cells;
    }
    return 0;
}
