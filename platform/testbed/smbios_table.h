/* Walking a raw SMBIOS structure table (the bytes of
 * /sys/firmware/dmi/tables/DMI: structures only, no entry point).
 *
 * Pure C99 without the C library, for the driver as well as user-mode code.
 * Every read is bounded by the table's length and by the structure's own
 * length byte:
 * - a structure is its header (type, length, handle), the formatted area that
 *   the length byte covers, then its strings, ended by a double NUL;
 * - the walk ends after the end-of-table structure (type 127), at the end of
 *   the bytes, or at a broken structure (length byte below 4, or formatted area
 *   or strings running past the end), whichever comes first;
 * - a field past the length byte is absent (older tables are shorter);
 * - string number 0, or one past the structure's strings, is a missing string.
 */
#ifndef TESTBED_SMBIOS_TABLE_H
#define TESTBED_SMBIOS_TABLE_H

#ifdef __cplusplus
extern "C" {
#endif

typedef struct SmbiosStructure {
    const unsigned char* data; /* the header's first byte */
    unsigned length;           /* the length byte: header and formatted area */
    unsigned size;             /* length plus the strings and their double NUL */
    unsigned type;
    unsigned handle;
} SmbiosStructure;

/* Takes the structure at *offset (start with 0) and moves *offset to the next
 * one. Returns 0 when the walk has ended (see above). */
int smbios_next(const unsigned char* table, unsigned tableLen, unsigned* offset,
                SmbiosStructure* out);

/* The index-th structure (counted from 0) of the given type. Returns 1 when
 * found. */
int smbios_find(const unsigned char* table, unsigned tableLen, unsigned type, unsigned index,
                SmbiosStructure* out);

/* Little-endian fields at a byte offset from the structure's start. Each
 * returns 1 and sets *out, or 0 when the field does not lie wholly within the
 * formatted area. */
int smbios_byte(const SmbiosStructure* s, unsigned offset, unsigned* out);
int smbios_word(const SmbiosStructure* s, unsigned offset, unsigned* out);
int smbios_dword(const SmbiosStructure* s, unsigned offset, unsigned long* out);

/* String number `number` (from 1) of the structure: its NUL-terminated text
 * inside the table, and its length when textLen is given; a null pointer when
 * the string is missing. */
const char* smbios_string(const SmbiosStructure* s, unsigned number, unsigned* textLen);

/* The string whose number is the byte at offset: null when that field is
 * absent or the string missing. */
const char* smbios_field_string(const SmbiosStructure* s, unsigned offset, unsigned* textLen);

#ifdef __cplusplus
}
#endif

#endif
