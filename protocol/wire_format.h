/* The wire format between the download (the window, ledglyph-cli download)
 * and the display board (the board's firmware, ledglyph-board). Plain C, so
 * that the board's firmware includes the same header as the host programs.
 *
 * Line: 9600 baud, no parity, 8 data bits, 1 stop bit, no flow control.
 * The host polls with LEDGLYPH_POLL_BYTE every 100 ms until the board answers
 * with LEDGLYPH_SIGNAL_BYTE; after the user's confirmation it sends
 *   LEDGLYPH_HEADER_START, LEDGLYPH_HEADER_FIXED, speed code (1 to 6),
 *   the glyph file, LEDGLYPH_TRAILER_LENGTH times LEDGLYPH_TRAILER_BYTE.
 * There is no length field: the data may itself hold the trailer bytes, so a
 * transfer ends when the line has been quiet for a while after a trailer.
 */
#ifndef LEDGLYPH_WIRE_FORMAT_H
#define LEDGLYPH_WIRE_FORMAT_H

#define LEDGLYPH_BAUD_RATE 9600
#define LEDGLYPH_DATA_BITS 8
#define LEDGLYPH_STOP_BITS 1
#define LEDGLYPH_BITS_PER_BYTE 10 /* start bit, 8 data bits, stop bit */

#define LEDGLYPH_POLL_INTERVAL_MS 100
#define LEDGLYPH_POLL_BYTE 0x73   /* 's' */
#define LEDGLYPH_SIGNAL_BYTE 0x73 /* 's' */

#define LEDGLYPH_HEADER_START 0x79 /* 'y' */
#define LEDGLYPH_HEADER_FIXED 0x01
#define LEDGLYPH_SPEED_MIN 1
#define LEDGLYPH_SPEED_MAX 6
#define LEDGLYPH_HEADER_LENGTH 3

#define LEDGLYPH_TRAILER_BYTE 0x73 /* 's' */
#define LEDGLYPH_TRAILER_LENGTH 3

/* The board decides about a transfer once the line has been quiet this long
 * after its last byte. Until then a poll byte would count as glyph data, so
 * the sender keeps the line quiet that long after a transfer before it reports
 * completion or polls again. */
#define LEDGLYPH_DECISION_QUIET_MS 500

/* A glyph file (zimuo.bin) of L characters is 32 * L + 353 bytes: a 32-byte
 * cell per character, 11 banner cells and a final byte. */
#define LEDGLYPH_CELL_BYTES 32
#define LEDGLYPH_BANNER_CELLS 11
#define LEDGLYPH_GLYPH_FILE_TAIL_BYTES (LEDGLYPH_BANNER_CELLS * LEDGLYPH_CELL_BYTES + 1)

/* The longest text the converter takes, and so the largest glyph file the
 * board's store holds: 1012 characters, 32,737 bytes. */
#define LEDGLYPH_MAX_CHARACTERS 1012
#define LEDGLYPH_GLYPH_FILE_MAX_BYTES (LEDGLYPH_MAX_CHARACTERS * LEDGLYPH_CELL_BYTES + LEDGLYPH_GLYPH_FILE_TAIL_BYTES)

#endif
