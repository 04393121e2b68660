/* Reading the testbed profile, an INI text, straight from a byte buffer.
 *
 * Pure C99 without any C library call, so that the hardware-monitor driver
 * (linked with -nostdlib) can use it as well as the user-mode readers.
 *
 * The text:
 * - ends after len bytes or at the first NUL byte, whichever comes first; it
 *   need not be NUL-terminated;
 * - is split into lines at LF; a CR before the LF (or anywhere at the end of a
 *   line) is dropped with the other trailing blanks;
 * - a line whose first non-blank character is ';' or '#' is a comment; there are
 *   no comments after a value, a ';' inside a value belongs to the value;
 * - "[Name]" starts a section; blanks inside the brackets are dropped and text
 *   after the ']' is ignored. A '[' line without ']' starts a section that no
 *   name matches, so its keys are never mistaken for the previous section's;
 * - "Key = Value": blanks around the key and the value are dropped; a line
 *   without '=' is ignored; no quoting, the value is the rest of the line;
 * - section and key names compare without regard to ASCII case; the bytes of
 *   a double-byte character compare exactly (its second byte may look like an
 *   ASCII letter);
 * - values are code page 932 bytes, returned as they are;
 * - a section may appear more than once; a key given twice (in one section or
 *   in two with the same name) reads as its first occurrence.
 */
#ifndef TESTBED_PROFILE_PARSE_H
#define TESTBED_PROFILE_PARSE_H

#ifdef __cplusplus
extern "C" {
#endif

/* Whether c is the first byte of a code page 932 double-byte character. */
int testbed_is_lead_byte(unsigned char c);

/* Finds the value of key in section. On success stores where the value starts
 * (offset into buf) and its length in bytes, and returns 1; returns 0 when the
 * section or the key is missing. */
int testbed_find_value(const char* buf, unsigned len, const char* section, const char* key,
                       unsigned* valueStart, unsigned* valueLen);

/* Copies len bytes of text into out (outSize bytes), cut to at most outSize - 1
 * bytes without splitting a double-byte character, and NUL-terminates it. A
 * lead byte that ends the text counts as one byte. Returns the bytes copied.
 * Writes nothing when outSize is 0. */
unsigned testbed_copy_text(const char* text, unsigned len, char* out, unsigned outSize);

/* The value as a NUL-terminated string, cut as testbed_copy_text does.
 * Returns 1 when the key exists (an empty value included); otherwise 0, and out
 * is left empty. */
int testbed_get_string(const char* buf, unsigned len, const char* section, const char* key,
                       char* out, unsigned outSize);

/* The value as a signed number: optional '+' or '-', then decimal digits or
 * "0x"/"0X" and hex digits, nothing else. Returns 1 and sets *out when the key
 * exists and its value is such a number within the range of long; otherwise 0
 * and *out is left as it was. */
int testbed_get_int(const char* buf, unsigned len, const char* section, const char* key,
                    long* out);

/* As testbed_get_int, for 0 to the largest unsigned long (no '-'), so that
 * 32-bit words such as 0x80002024 can be given. */
int testbed_get_uint(const char* buf, unsigned len, const char* section, const char* key,
                     unsigned long* out);

/* The value as a switch: 1, yes, true, on give 1; 0, no, false, off give 0
 * (any case). Returns 1 and sets *out when the key exists and is one of those;
 * otherwise 0 and *out is left as it was. */
int testbed_get_bool(const char* buf, unsigned len, const char* section, const char* key,
                     int* out);

/* The number, unsigned number and switch rules above, for a text of len bytes
 * (already without surrounding blanks). Same return convention. */
int testbed_parse_int(const char* text, unsigned len, long* out);
int testbed_parse_uint(const char* text, unsigned len, unsigned long* out);
int testbed_parse_bool(const char* text, unsigned len, int* out);

/* Whether the len bytes of text equal name (NUL-terminated), ASCII case aside. */
int testbed_same_name(const char* text, unsigned len, const char* name);

/* Lists are values whose items are separated by commas, e.g.
 * "FailCalls = 9, 0x80002024". Finds item number index (from 0) of the len
 * bytes of text: stores its offset in text and its length, without blanks, and
 * returns 1; returns 0 when there are not that many items. Empty items (",,")
 * are skipped. */
int testbed_list_item(const char* text, unsigned len, unsigned index, unsigned* itemStart,
                      unsigned* itemLen);

/* Builds a numbered key such as "Device3" from base and n into out. Returns 1,
 * or 0 (out then empty when outSize > 0) when it does not fit. */
int testbed_numbered_key(const char* base, unsigned long n, char* out, unsigned outSize);

#ifdef __cplusplus
}
#endif

#endif
