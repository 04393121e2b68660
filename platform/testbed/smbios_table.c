/* Walking a raw SMBIOS structure table; the rules are in the header. */
#include "platform/testbed/smbios_table.h"

#define SMBIOS_END_OF_TABLE 127
#define SMBIOS_HEADER_SIZE 4

int smbios_next(const unsigned char* table, unsigned tableLen, unsigned* offset,
                SmbiosStructure* out)
{
    unsigned start, length, p;
    if (!table || !offset || !out)
        return 0;
    start = *offset;
    if (start >= tableLen || tableLen - start < SMBIOS_HEADER_SIZE)
        return 0;
    length = table[start + 1];
    if (length < SMBIOS_HEADER_SIZE || length > tableLen - start)
        return 0;
    /* The strings end at the first double NUL after the formatted area. */
    p = start + length;
    while (p + 1 < tableLen && (table[p] != 0 || table[p + 1] != 0))
        p++;
    if (p + 1 >= tableLen)
        return 0;
    out->data = table + start;
    out->length = length;
    out->size = p + 2 - start;
    out->type = table[start];
    out->handle = table[start + 2] | (unsigned)table[start + 3] << 8;
    /* Nothing after the end-of-table structure is read. */
    *offset = out->type == SMBIOS_END_OF_TABLE ? tableLen : p + 2;
    return 1;
}

int smbios_find(const unsigned char* table, unsigned tableLen, unsigned type, unsigned index,
                SmbiosStructure* out)
{
    unsigned offset = 0;
    SmbiosStructure s;
    if (!out)
        return 0;
    while (smbios_next(table, tableLen, &offset, &s)) {
        if (s.type != type)
            continue;
        if (index == 0) {
            *out = s;
            return 1;
        }
        index--;
    }
    return 0;
}

static int field_present(const SmbiosStructure* s, unsigned offset, unsigned width)
{
    return s && offset < s->length && width <= s->length - offset;
}

int smbios_byte(const SmbiosStructure* s, unsigned offset, unsigned* out)
{
    if (!out || !field_present(s, offset, 1))
        return 0;
    *out = s->data[offset];
    return 1;
}

int smbios_word(const SmbiosStructure* s, unsigned offset, unsigned* out)
{
    if (!out || !field_present(s, offset, 2))
        return 0;
    *out = s->data[offset] | (unsigned)s->data[offset + 1] << 8;
    return 1;
}

int smbios_dword(const SmbiosStructure* s, unsigned offset, unsigned long* out)
{
    const unsigned char* d;
    if (!out || !field_present(s, offset, 4))
        return 0;
    d = s->data + offset;
    *out = d[0] | (unsigned long)d[1] << 8 | (unsigned long)d[2] << 16 | (unsigned long)d[3] << 24;
    return 1;
}

const char* smbios_string(const SmbiosStructure* s, unsigned number, unsigned* textLen)
{
    unsigned p, end, n;
    if (!s || number == 0)
        return 0;
    p = s->length;
    end = s->size;
    /* An empty string ends the set; smbios_next made sure a double NUL lies
     * before end, so every string found here is terminated. */
    for (n = 1; p < end && s->data[p] != 0; n++) {
        unsigned q = p;
        while (q < end && s->data[q] != 0)
            q++;
        if (n == number) {
            if (textLen)
                *textLen = q - p;
            return (const char*)(s->data + p);
        }
        p = q + 1;
    }
    return 0;
}

const char* smbios_field_string(const SmbiosStructure* s, unsigned offset, unsigned* textLen)
{
    unsigned number;
    if (!smbios_byte(s, offset, &number))
        return 0;
    return smbios_string(s, number, textLen);
}
