/* Where the portable code's data lie on the 8051: the receiver's and the
 * display's state and the glyph data in external RAM, the matrix frame in
 * the upper internal RAM. Pointers that name their memory space take a few
 * cycles where SDCC's generic pointers take tens; on the host the words
 * vanish. */
#ifndef LEDGLYPH_FIRMWARE_MEMORY_SPACES_H
#define LEDGLYPH_FIRMWARE_MEMORY_SPACES_H

#if defined(__SDCC_mcs51)
#define BOARD_XDATA __xdata
#define BOARD_IDATA __idata
#else
#define BOARD_XDATA
#define BOARD_IDATA
#endif

#endif
