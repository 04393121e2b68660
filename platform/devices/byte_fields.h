/* Little-endian words and double words at byte positions of the records the
 * driver answers with. Plain C: the driver is built without the C++ runtime.
 * The caller checks that the field lies inside its buffer. */
#pragma once

static inline void put_word(unsigned char* at, unsigned long v) {
    at[0] = (unsigned char)(v & 0xFF);
    at[1] = (unsigned char)((v >> 8) & 0xFF);
}

static inline void put_dword(unsigned char* at, unsigned long v) {
    put_word(at, v & 0xFFFF);
    put_word(at + 2, (v >> 16) & 0xFFFF);
}

static inline unsigned long get_dword(const unsigned char* at) {
    return (unsigned long)at[0] | ((unsigned long)at[1] << 8) | ((unsigned long)at[2] << 16) |
           ((unsigned long)at[3] << 24);
}
