/* Reading the testbed profile from a byte buffer; the rules are in the header.
 * No C library here: the driver links this file with -nostdlib. Copy loops do
 * their work byte by byte inside data-dependent loops, so the compiler has no
 * plain copy loop to turn into a call to memcpy. */
#include "platform/testbed/profile_parse.h"

#define LONG_LIMIT ((unsigned long)(~0UL >> 1))

static int is_blank(char c)
{
    return c == ' ' || c == '\t' || c == '\r';
}

static unsigned char lower_ascii(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') ? (unsigned char)(c - 'A' + 'a') : c;
}

/* The text ends after len bytes or at its first NUL. */
static unsigned text_end(const char* buf, unsigned len)
{
    unsigned n = 0;
    while (n < len && buf[n] != '\0')
        n++;
    return n;
}

int testbed_is_lead_byte(unsigned char c)
{
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

int testbed_same_name(const char* text, unsigned len, const char* name)
{
    unsigned i = 0;
    if (!text || !name)
        return 0;
    while (i < len) {
        unsigned char a = (unsigned char)text[i];
        unsigned char b = (unsigned char)name[i];
        if (b == 0)
            return 0;
        if (testbed_is_lead_byte(a)) {
            if (a != b)
                return 0;
            if (i + 1 < len) {
                /* Both bytes of a double-byte character compare exactly. */
                if (name[i + 1] == '\0' || text[i + 1] != name[i + 1])
                    return 0;
                i += 2;
            } else {
                i += 1;
            }
            continue;
        }
        if (lower_ascii(a) != lower_ascii(b))
            return 0;
        i++;
    }
    return name[i] == '\0';
}

/* Takes the line at *pos (up to LF or the end), moves *pos past it, and gives
 * its content without surrounding blanks as [*start, *stop). */
static int next_line(const char* buf, unsigned end, unsigned* pos, unsigned* start,
                     unsigned* stop)
{
    unsigned p = *pos;
    unsigned s, e;
    if (p >= end)
        return 0;
    s = p;
    while (p < end && buf[p] != '\n')
        p++;
    e = p;
    *pos = p < end ? p + 1 : p;
    while (s < e && is_blank(buf[s]))
        s++;
    while (e > s && is_blank(buf[e - 1]))
        e--;
    *start = s;
    *stop = e;
    return 1;
}

/* Whether the section line [s, e), which starts with '[', names section. A
 * line without ']' names no section at all. The ']' is searched character by
 * character: a second byte of a double-byte character may be 0x5D. */
static int header_names(const char* buf, unsigned s, unsigned e, const char* section)
{
    unsigned p = s + 1;
    unsigned ns, ne;
    while (p < e && buf[p] != ']')
        p += (testbed_is_lead_byte((unsigned char)buf[p]) && p + 1 < e) ? 2 : 1;
    if (p >= e)
        return 0;
    ns = s + 1;
    ne = p;
    while (ns < ne && is_blank(buf[ns]))
        ns++;
    while (ne > ns && is_blank(buf[ne - 1]))
        ne--;
    return testbed_same_name(buf + ns, ne - ns, section);
}

int testbed_find_value(const char* buf, unsigned len, const char* section, const char* key,
                       unsigned* valueStart, unsigned* valueLen)
{
    unsigned end, pos = 0, s, e;
    int inSection = 0;
    if (!buf || !section || !key || !valueStart || !valueLen)
        return 0;
    end = text_end(buf, len);
    while (next_line(buf, end, &pos, &s, &e)) {
        unsigned eq, ke, vs;
        if (s == e || buf[s] == ';' || buf[s] == '#')
            continue;
        if (buf[s] == '[') {
            inSection = header_names(buf, s, e, section);
            continue;
        }
        if (!inSection)
            continue;
        /* '=' is below 0x40, so it is never the second byte of a character. */
        eq = s;
        while (eq < e && buf[eq] != '=')
            eq++;
        if (eq == e)
            continue;
        ke = eq;
        while (ke > s && is_blank(buf[ke - 1]))
            ke--;
        if (ke == s || !testbed_same_name(buf + s, ke - s, key))
            continue;
        vs = eq + 1;
        while (vs < e && is_blank(buf[vs]))
            vs++;
        *valueStart = vs;
        *valueLen = e - vs;
        return 1;
    }
    return 0;
}

unsigned testbed_copy_text(const char* text, unsigned len, char* out, unsigned outSize)
{
    unsigned n = 0;
    if (!out || outSize == 0)
        return 0;
    while (text && n < len) {
        unsigned step = (testbed_is_lead_byte((unsigned char)text[n]) && n + 1 < len) ? 2 : 1;
        if (n + step > outSize - 1)
            break;
        out[n] = text[n];
        if (step == 2)
            out[n + 1] = text[n + 1];
        n += step;
    }
    out[n] = '\0';
    return n;
}

int testbed_get_string(const char* buf, unsigned len, const char* section, const char* key,
                       char* out, unsigned outSize)
{
    unsigned vs, vl;
    if (!testbed_find_value(buf, len, section, key, &vs, &vl)) {
        testbed_copy_text(0, 0, out, outSize);
        return 0;
    }
    testbed_copy_text(buf + vs, vl, out, outSize);
    return 1;
}

static int digit_value(char c, unsigned base)
{
    int d;
    if (c >= '0' && c <= '9')
        d = c - '0';
    else if (c >= 'a' && c <= 'f')
        d = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
        d = c - 'A' + 10;
    else
        return -1;
    return (unsigned)d < base ? d : -1;
}

/* Digits (decimal, or hex after "0x") making up all of text, at most limit. */
static int parse_magnitude(const char* text, unsigned len, unsigned long limit,
                           unsigned long* out)
{
    unsigned base = 10;
    unsigned i = 0;
    unsigned long v = 0;
    if (len >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        i = 2;
    }
    if (i == len)
        return 0;
    for (; i < len; i++) {
        int d = digit_value(text[i], base);
        if (d < 0)
            return 0;
        if (v > (limit - (unsigned long)d) / base)
            return 0;
        v = v * base + (unsigned long)d;
    }
    *out = v;
    return 1;
}

int testbed_parse_int(const char* text, unsigned len, long* out)
{
    int negative = 0;
    unsigned long magnitude;
    if (!text || !out)
        return 0;
    if (len > 0 && (text[0] == '+' || text[0] == '-')) {
        negative = text[0] == '-';
        text++;
        len--;
    }
    if (!parse_magnitude(text, len, negative ? LONG_LIMIT + 1 : LONG_LIMIT, &magnitude))
        return 0;
    if (negative)
        *out = magnitude == LONG_LIMIT + 1 ? -(long)LONG_LIMIT - 1 : -(long)magnitude;
    else
        *out = (long)magnitude;
    return 1;
}

int testbed_parse_uint(const char* text, unsigned len, unsigned long* out)
{
    if (!text || !out)
        return 0;
    if (len > 0 && text[0] == '+') {
        text++;
        len--;
    }
    return parse_magnitude(text, len, ~0UL, out);
}

int testbed_parse_bool(const char* text, unsigned len, int* out)
{
    static const char* const onWords[] = {"1", "yes", "true", "on"};
    static const char* const offWords[] = {"0", "no", "false", "off"};
    unsigned i;
    if (!text || !out)
        return 0;
    for (i = 0; i < sizeof onWords / sizeof onWords[0]; i++) {
        if (testbed_same_name(text, len, onWords[i])) {
            *out = 1;
            return 1;
        }
        if (testbed_same_name(text, len, offWords[i])) {
            *out = 0;
            return 1;
        }
    }
    return 0;
}

int testbed_get_int(const char* buf, unsigned len, const char* section, const char* key,
                    long* out)
{
    unsigned vs, vl;
    return testbed_find_value(buf, len, section, key, &vs, &vl) &&
           testbed_parse_int(buf + vs, vl, out);
}

int testbed_get_uint(const char* buf, unsigned len, const char* section, const char* key,
                     unsigned long* out)
{
    unsigned vs, vl;
    return testbed_find_value(buf, len, section, key, &vs, &vl) &&
           testbed_parse_uint(buf + vs, vl, out);
}

int testbed_get_bool(const char* buf, unsigned len, const char* section, const char* key,
                     int* out)
{
    unsigned vs, vl;
    return testbed_find_value(buf, len, section, key, &vs, &vl) &&
           testbed_parse_bool(buf + vs, vl, out);
}

int testbed_list_item(const char* text, unsigned len, unsigned index, unsigned* itemStart,
                      unsigned* itemLen)
{
    unsigned p = 0;
    unsigned count = 0;
    if (!text || !itemStart || !itemLen)
        return 0;
    while (p < len) {
        /* ',' is below 0x40, never the second byte of a character. */
        unsigned s = p, e;
        while (p < len && text[p] != ',')
            p++;
        e = p;
        if (p < len)
            p++;
        while (s < e && is_blank(text[s]))
            s++;
        while (e > s && is_blank(text[e - 1]))
            e--;
        if (s == e)
            continue;
        if (count == index) {
            *itemStart = s;
            *itemLen = e - s;
            return 1;
        }
        count++;
    }
    return 0;
}

int testbed_numbered_key(const char* base, unsigned long n, char* out, unsigned outSize)
{
    char digits[24];
    unsigned nd = 0;
    unsigned i = 0;
    if (!out || outSize == 0)
        return 0;
    out[0] = '\0';
    if (!base)
        return 0;
    do {
        digits[nd++] = (char)('0' + n % 10);
        n /= 10;
    } while (n != 0);
    while (base[i] != '\0') {
        if (i + 1 >= outSize) {
            out[0] = '\0';
            return 0;
        }
        out[i] = base[i];
        i++;
    }
    if (i + nd >= outSize) {
        out[0] = '\0';
        return 0;
    }
    while (nd > 0)
        out[i++] = digits[--nd];
    out[i] = '\0';
    return 1;
}
