/* The reference receiver for an 8051 (AT89S52 class) at 11.0592 MHz: takes
 * glyph files from ledglyph's download, keeps the last good one in
 * battery-backed RAM and scrolls it across a 16 x 64 LED matrix. The wiring
 * is described in README.md; the rules live in the portable files
 * (receiver.c, display.c, glyph_store.c), this file only drives the pins.
 *
 * Resources: Timer 1 (mode 2) makes the baud rate, Timer 2 (16-bit
 * auto-reload) a 1 ms tick that lights the next row, the serial interrupt
 * (high priority) puts received bytes into a small queue. Between interrupts
 * the main loop works through the queue and the time, then idles the CPU. */
#include <8052.h>
#include <stdint.h>

#include "protocol/wire_format.h"
#include "firmware/display.h"
#include "firmware/glyph_store.h"
#include "firmware/receiver.h"

#define CRYSTAL_HZ 11059200UL
#define MACHINE_CYCLE_HZ (CRYSTAL_HZ / 12)
/* Timer 1 in mode 2 overflows at 32 times the baud rate (SMOD = 0). */
#define BAUD_RELOAD ((uint8_t)(256 - MACHINE_CYCLE_HZ / 32 / LEDGLYPH_BAUD_RATE))
/* One row every millisecond: 16 rows make a refresh of 62.5 Hz. */
#define TICK_RELOAD (65536UL - MACHINE_CYCLE_HZ / 1000)

/* The time goes to the receiver every RECEIVER_STEP_MS (receiver.h), not
 * every millisecond: called every millisecond, receiver_time() and
 * receiver_busy() took about 300 of the 921 machine cycles of each
 * millisecond, a third of the CPU. See README.md, "Time per received byte". */

/* Pins of the matrix (P0, P2 and P3.6/P3.7 are the external memory bus). */
#define COLUMN_DATA P1_0   /* SER of the first 74HC595 */
#define COLUMN_CLOCK P1_1  /* SRCLK of every 74HC595 */
#define COLUMN_LATCH P1_2  /* RCLK of every 74HC595 */
#define COLUMNS_DARK P1_3  /* /OE of every 74HC595: 1 turns every column off */
#define ROW_SHIFT 4        /* P1.4 to P1.7: inputs A to D of the 74HC154 */
#define TIMER2_VECTOR 5    /* 0x2B: Timer 2 (8052.h names only the 8051 vectors) */
/* A pin's name in the assembly: the symbol SDCC gives the bit (P1_0 is _P1_0). */
#define ASM_PIN(pin) ASM_PIN_(pin)
#define ASM_PIN_(pin) _##pin

/* The battery-backed glyph store and the plain RAM that takes a transfer in. */
__xdata __at(0x0000) uint8_t glyph_store[GLYPH_STORE_BYTES];
__xdata __at(0x8000) uint8_t transfer_buffer[GLYPH_STORE_CAPACITY + LEDGLYPH_TRAILER_LENGTH];

/* The frame is shared without a lock: the main loop rewrites it (a
 * display_step() on each step, display_show() after a transfer) while the
 * tick interrupt shifts one of its rows out every millisecond. The interrupt
 * only reads it, so nothing is damaged; a row shifted out in the middle of a
 * step is lit for that one millisecond with part of the step done (a seam of
 * one column), and is whole again at its next turn, 16 ms later. */
__idata uint8_t frame[DISPLAY_FRAME_BYTES];

#define QUEUE_SIZE 16 /* a power of two */
__idata volatile uint8_t queue[QUEUE_SIZE];
volatile uint8_t queue_head;
volatile uint8_t queue_tail;
volatile __bit queue_overrun;
volatile __bit transmitter_idle = 1;

volatile uint8_t ticks; /* milliseconds, wrapping at 256 */
uint8_t row;
__idata uint8_t *row_bytes;

/* In the last bytes of the transfer RAM (the linker's external RAM, see CMakeLists.txt). */
__xdata struct receiver rx;
__xdata struct display matrix;
uint16_t step_ms;

/* SBUF is read for every byte, also one the full queue has no room for:
 * the byte is lost either way, and the simulator's flow control (see
 * README.md) hands over the next byte only once SBUF has been read, so that
 * a board that falls behind loses bytes there as it would on a real line. */
void serial_interrupt(void) __interrupt(SI0_VECTOR) __using(2)
{
    uint8_t next;
    uint8_t byte;
    if (RI) {
        RI = 0;
        byte = SBUF;
        next = (queue_head + 1) & (QUEUE_SIZE - 1);
        if (next == queue_tail) {
            queue_overrun = 1;
        } else {
            queue[queue_head] = byte;
            queue_head = next;
        }
    }
    if (TI) {
        TI = 0;
        transmitter_idle = 1;
    }
}

/* Lights the next row: its 64 column bits go into the shift registers while
 * the previous row is still lit, then the columns go dark, the latch and the
 * decoder switch, and the columns light again. The bits are shifted in
 * assembly: at 5 machine cycles a bit the row takes 0.39 ms of each
 * millisecond, where compiled C took longer than the millisecond itself.
 * The frame it reads is the one the main loop steps: see `frame`. */
void tick_interrupt(void) __interrupt(TIMER2_VECTOR) __using(1)
{
    TF2 = 0;
    ++ticks;
    row_bytes = frame + (uint8_t)(row * DISPLAY_ROW_BYTES);
    /* The number after each instruction is its machine cycles: 5 a bit,
     * 44 a byte, 3 + 8 * 44 = 355 for the row (0.39 ms). */
    __asm
        mov  r0, _row_bytes           ; 2
        mov  r2, #DISPLAY_ROW_BYTES   ; 1
    00010$:
        mov  a, @r0                   ; 1
        inc  r0                       ; 1
        rlc  a                        ; 1  next bit into C, most significant first
        mov  ASM_PIN(COLUMN_DATA), c  ; 2
        setb ASM_PIN(COLUMN_CLOCK)    ; 1
        clr  ASM_PIN(COLUMN_CLOCK)    ; 1
        rlc  a                        ; 1
        mov  ASM_PIN(COLUMN_DATA), c  ; 2
        setb ASM_PIN(COLUMN_CLOCK)    ; 1
        clr  ASM_PIN(COLUMN_CLOCK)    ; 1
        rlc  a                        ; 1
        mov  ASM_PIN(COLUMN_DATA), c  ; 2
        setb ASM_PIN(COLUMN_CLOCK)    ; 1
        clr  ASM_PIN(COLUMN_CLOCK)    ; 1
        rlc  a                        ; 1
        mov  ASM_PIN(COLUMN_DATA), c  ; 2
        setb ASM_PIN(COLUMN_CLOCK)    ; 1
        clr  ASM_PIN(COLUMN_CLOCK)    ; 1
        rlc  a                        ; 1
        mov  ASM_PIN(COLUMN_DATA), c  ; 2
        setb ASM_PIN(COLUMN_CLOCK)    ; 1
        clr  ASM_PIN(COLUMN_CLOCK)    ; 1
        rlc  a                        ; 1
        mov  ASM_PIN(COLUMN_DATA), c  ; 2
        setb ASM_PIN(COLUMN_CLOCK)    ; 1
        clr  ASM_PIN(COLUMN_CLOCK)    ; 1
        rlc  a                        ; 1
        mov  ASM_PIN(COLUMN_DATA), c  ; 2
        setb ASM_PIN(COLUMN_CLOCK)    ; 1
        clr  ASM_PIN(COLUMN_CLOCK)    ; 1
        rlc  a                        ; 1
        mov  ASM_PIN(COLUMN_DATA), c  ; 2
        setb ASM_PIN(COLUMN_CLOCK)    ; 1
        clr  ASM_PIN(COLUMN_CLOCK)    ; 1
        djnz r2, 00010$               ; 2
    __endasm;
    COLUMNS_DARK = 1;
    COLUMN_LATCH = 1;
    COLUMN_LATCH = 0;
    P1 = (P1 & 0x0F) | (uint8_t)(row << ROW_SHIFT);
    COLUMNS_DARK = 0;
    row = (row + 1) & (DISPLAY_ROWS - 1);
}

static void send(uint8_t byte)
{
    while (!transmitter_idle)
        ;
    transmitter_idle = 0;
    SBUF = byte;
}

static void show_store(void)
{
    const uint16_t length = glyph_store_length(glyph_store);
    const uint16_t cells = length ? glyph_cells_shown(glyph_store, length) : 0;
    display_show(&matrix, frame, glyph_store, cells);
    step_ms = display_step_ms(length ? glyph_store_speed(glyph_store) : LEDGLYPH_SPEED_MIN);
}

static void act_on(uint8_t event)
{
    switch (event) {
    case RECEIVER_ANSWER:
        send(LEDGLYPH_SIGNAL_BYTE);
        break;
    case RECEIVER_ACCEPTED:
        glyph_store_accept(glyph_store, transfer_buffer, rx.length, rx.speed);
        glyph_store_note(glyph_store, REFUSAL_NONE);
        show_store();
        break;
    case RECEIVER_REFUSED:
        glyph_store_note(glyph_store, rx.refusal);
        break;
    default:
        break;
    }
}

static void start_hardware(void)
{
    P1 = 0x0F; /* columns dark, row 0 */
    SCON = 0x50; /* mode 1: 8 data bits, 1 stop bit, receiver on */
    TMOD = 0x20; /* Timer 1 in mode 2 */
    TH1 = BAUD_RELOAD;
    TL1 = BAUD_RELOAD;
    TR1 = 1;
    RCAP2H = (uint8_t)(TICK_RELOAD >> 8);
    RCAP2L = (uint8_t)TICK_RELOAD;
    TH2 = RCAP2H;
    TL2 = RCAP2L;
    T2CON = 0x04; /* TR2: 16-bit auto-reload */
    PS = 1; /* received bytes before the refresh */
    ES = 1;
    ET2 = 1;
    EA = 1;
}

void main(void)
{
    uint8_t last_tick;
    uint8_t elapsed;
    uint16_t since_step = 0;
    uint16_t receiver_ms = 0; /* receiver time not yet passed on, below RECEIVER_STEP_MS */
    uint8_t byte;

    receiver_init(&rx, transfer_buffer, GLYPH_STORE_CAPACITY);
    show_store();
    start_hardware();
    last_tick = ticks;
    for (;;) {
        while (queue_tail != queue_head) {
            byte = queue[queue_tail];
            queue_tail = (queue_tail + 1) & (QUEUE_SIZE - 1);
            act_on(receiver_byte(&rx, byte));
        }
        if (queue_overrun) {
            queue_overrun = 0;
            receiver_lost_bytes(&rx);
        }
        elapsed = ticks - last_tick;
        if (elapsed == 0) {
            /* Nothing to do until the next interrupt (a byte or the 1 ms
             * tick): the CPU idles. An interrupt that came since the queue
             * was looked at leaves its byte waiting until the next one, at
             * most 1 ms. The simulator counts these cycles as idle time:
             * everything else is what the board spends. */
            PCON |= IDL;
            continue;
        }
        last_tick += elapsed;
        receiver_ms += elapsed;
        if (receiver_ms >= RECEIVER_STEP_MS) {
            act_on(receiver_time(&rx, receiver_ms));
            receiver_ms = 0;
        }
        since_step += elapsed;
        if (since_step >= step_ms) {
            since_step = 0;
            /* The picture holds still while a transfer comes in. The
             * step rewrites the frame the refresh reads: see `frame`. */
            if (!receiver_busy(&rx))
                display_step(&matrix);
        }
    }
}
