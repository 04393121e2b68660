// Code page 932 (Shift-JIS) text helpers.
//
// Texts are byte strings. A lead byte (0x81-0x9F, 0xE0-0xFC) and the byte after it
// form one double-byte character; every other byte, half-width katakana
// (0xA1-0xDF) included, is a character of its own. A lead byte followed by the end
// of the text is a broken character: it counts as one byte and the text ends there.
//
// Every limit below is applied without splitting a double-byte character: a text
// is cut before a character that does not fit, never inside it.
#pragma once

#include <cstdarg>
#include <cstddef>
#include <cstdint>

#if defined(__clang__)
#define HELMSET_PRINTF_LIKE(fmt, args) __attribute__((format(printf, fmt, args)))
#elif defined(__GNUC__)
#define HELMSET_PRINTF_LIKE(fmt, args) __attribute__((format(gnu_printf, fmt, args)))
#else
#define HELMSET_PRINTF_LIKE(fmt, args)
#endif

namespace cp932 {

// "No limit" for the length and count arguments below.
constexpr size_t kUnlimited = SIZE_MAX;

bool IsLeadByte(unsigned char c);

// Byte length of the longest prefix of s that ends at a character boundary and
// holds at most maxBytes bytes and at most maxChars characters. s is read up to
// its NUL or up to textLength bytes, whichever comes first, and never further, so
// a text that is not NUL-terminated can be measured with its length.
size_t PrefixBytes(const char* s, size_t textLength, size_t maxBytes, size_t maxChars);

// Byte length of the longest prefix of at most maxChars characters.
size_t PrefixBytesForChars(const char* s, size_t maxChars);

// Byte length of the longest prefix of at most maxBytes bytes.
size_t PrefixBytesWithin(const char* s, size_t maxBytes);

// Number of characters in s.
size_t CharCount(const char* s);

// Upper-cases 'a'-'z' in place, leaving double-byte characters untouched
// (their second byte may lie in 'a'-'z'). The bounded form stops at the NUL or
// after size bytes.
void UpperAscii(char* s);
void UpperAscii(char* s, size_t size);

// Copies src into dst (dstSize bytes), cut to dstSize - 1 bytes, always
// terminated when dstSize > 0. Returns the bytes copied; *cut (when given) tells
// whether part of src was left out. dst and src may overlap.
size_t CopyBounded(char* dst, size_t dstSize, const char* src, bool* cut = nullptr);

// As CopyBounded, for a source of srcLength bytes that need not be terminated
// (it still ends at a NUL inside those bytes).
size_t CopyBoundedN(char* dst, size_t dstSize, const char* src, size_t srcLength,
                    bool* cut = nullptr);

// As CopyBounded, and also at most maxChars characters.
size_t CutToChars(char* dst, size_t dstSize, const char* src, size_t maxChars,
                  bool* cut = nullptr);

// vsnprintf into dst, always terminated when dstSize > 0. A text that does not
// fit is cut before the last whole character. Returns the length of the text in
// dst, or -1 when it was cut or the format failed (dst then holds what fitted).
int FormatBounded(char* dst, size_t dstSize, const char* fmt, ...) HELMSET_PRINTF_LIKE(3, 4);
int FormatBoundedV(char* dst, size_t dstSize, const char* fmt, va_list args)
    HELMSET_PRINTF_LIKE(3, 0);

// Whether s ends with a lead byte that has no second byte.
bool EndsWithLoneLeadByte(const char* s);

// The last occurrence in s of the single-byte character c (c below 0x80), or
// nullptr. A second byte equal to c is not an occurrence.
const char* FindLastChar(const char* s, char c);

// The last backslash of path that is a character of its own (a second byte 0x5C,
// as in 表, is not one), or nullptr when there is none.
const char* FindLastBackslash(const char* path);
char* FindLastBackslash(char* path);

// Whether the last character of path is a backslash.
bool EndsWithBackslash(const char* path);

}  // namespace cp932
