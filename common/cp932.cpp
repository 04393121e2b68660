#include "common/cp932.h"

#include <cstdio>
#include <cstring>

namespace cp932 {

namespace {

// Bytes of the character at s, where s[0] is not NUL and `remaining` bytes of
// the text are readable from s. A lead byte without a second byte is one byte.
size_t CharBytesAt(const char* s, size_t remaining) {
    if (IsLeadByte(static_cast<unsigned char>(s[0])) && remaining >= 2 && s[1] != '\0') {
        return 2;
    }
    return 1;
}

// Length of s up to its NUL, reading at most maxLength bytes.
size_t BoundedLength(const char* s, size_t maxLength) {
    if (s == nullptr) {
        return 0;
    }
    size_t n = 0;
    while (n < maxLength && s[n] != '\0') {
        ++n;
    }
    return n;
}

size_t CopyPrefix(char* dst, size_t dstSize, const char* src, size_t srcLength,
                  size_t maxChars, bool* cut) {
    const size_t textBytes = BoundedLength(src, srcLength);
    size_t copied = 0;
    if (dst != nullptr && dstSize > 0) {
        copied = PrefixBytes(src, textBytes, dstSize - 1, maxChars);
        if (copied > 0) {
            std::memmove(dst, src, copied);
        }
        dst[copied] = '\0';
    }
    if (cut != nullptr) {
        *cut = copied < textBytes;
    }
    return copied;
}

// Length of the first `length` bytes of a text that was cut there, less a lead
// byte whose second byte was cut away.
size_t WithoutSplitLastChar(const char* s, size_t length) {
    size_t i = 0;
    while (i < length) {
        if (IsLeadByte(static_cast<unsigned char>(s[i]))) {
            if (i + 1 >= length) {
                return i;
            }
            i += 2;
        } else {
            ++i;
        }
    }
    return length;
}

}  // namespace

bool IsLeadByte(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

size_t PrefixBytes(const char* s, size_t textLength, size_t maxBytes, size_t maxChars) {
    if (s == nullptr) {
        return 0;
    }
    size_t bytes = 0;
    size_t chars = 0;
    while (bytes < textLength && s[bytes] != '\0' && chars < maxChars) {
        const size_t n = CharBytesAt(s + bytes, textLength - bytes);
        if (n > maxBytes - bytes) {
            break;
        }
        bytes += n;
        ++chars;
    }
    return bytes;
}

size_t PrefixBytesForChars(const char* s, size_t maxChars) {
    return PrefixBytes(s, kUnlimited, kUnlimited, maxChars);
}

size_t PrefixBytesWithin(const char* s, size_t maxBytes) {
    return PrefixBytes(s, kUnlimited, maxBytes, kUnlimited);
}

size_t CharCount(const char* s) {
    size_t chars = 0;
    size_t i = 0;
    while (s != nullptr && s[i] != '\0') {
        i += CharBytesAt(s + i, kUnlimited);
        ++chars;
    }
    return chars;
}

void UpperAscii(char* s) {
    UpperAscii(s, kUnlimited);
}

void UpperAscii(char* s, size_t size) {
    size_t i = 0;
    while (s != nullptr && i < size && s[i] != '\0') {
        const size_t n = CharBytesAt(s + i, size - i);
        if (n == 1 && s[i] >= 'a' && s[i] <= 'z') {
            s[i] = static_cast<char>(s[i] - 'a' + 'A');
        }
        i += n;
    }
}

size_t CopyBounded(char* dst, size_t dstSize, const char* src, bool* cut) {
    return CopyPrefix(dst, dstSize, src, kUnlimited, kUnlimited, cut);
}

size_t CopyBoundedN(char* dst, size_t dstSize, const char* src, size_t srcLength, bool* cut) {
    return CopyPrefix(dst, dstSize, src, srcLength, kUnlimited, cut);
}

size_t CutToChars(char* dst, size_t dstSize, const char* src, size_t maxChars, bool* cut) {
    return CopyPrefix(dst, dstSize, src, kUnlimited, maxChars, cut);
}

int FormatBounded(char* dst, size_t dstSize, const char* fmt, ...) {
    va_list args;
    va_start(args, fmt);
    const int result = FormatBoundedV(dst, dstSize, fmt, args);
    va_end(args);
    return result;
}

int FormatBoundedV(char* dst, size_t dstSize, const char* fmt, va_list args) {
    if (dst == nullptr || dstSize == 0) {
        return -1;
    }
    const int written = std::vsnprintf(dst, dstSize, fmt, args);
    // Some runtimes leave a full buffer unterminated.
    dst[dstSize - 1] = '\0';
    if (written >= 0 && static_cast<size_t>(written) < dstSize) {
        return written;
    }
    const size_t kept = WithoutSplitLastChar(dst, std::strlen(dst));
    dst[kept] = '\0';
    return -1;
}

bool EndsWithLoneLeadByte(const char* s) {
    size_t i = 0;
    bool lone = false;
    while (s != nullptr && s[i] != '\0') {
        const size_t n = CharBytesAt(s + i, kUnlimited);
        lone = n == 1 && IsLeadByte(static_cast<unsigned char>(s[i]));
        i += n;
    }
    return lone;
}

const char* FindLastChar(const char* s, char c) {
    const char* found = nullptr;
    size_t i = 0;
    while (s != nullptr && s[i] != '\0') {
        const size_t n = CharBytesAt(s + i, kUnlimited);
        if (n == 1 && s[i] == c) {
            found = s + i;
        }
        i += n;
    }
    return found;
}

const char* FindLastBackslash(const char* path) {
    return FindLastChar(path, '\\');
}

char* FindLastBackslash(char* path) {
    return const_cast<char*>(FindLastBackslash(static_cast<const char*>(path)));
}

bool EndsWithBackslash(const char* path) {
    size_t i = 0;
    bool lastIsBackslash = false;
    while (path != nullptr && path[i] != '\0') {
        const size_t n = CharBytesAt(path + i, kUnlimited);
        lastIsBackslash = n == 1 && path[i] == '\\';
        i += n;
    }
    return lastIsBackslash;
}

}  // namespace cp932
