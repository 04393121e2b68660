#include "common/path.h"

#include <cstring>

#include "common/cp932.h"

namespace path {

namespace {

// Writes `head` (headLength bytes, possibly dst itself), an optional backslash and
// `tail` into dst when the whole fits; otherwise leaves dst empty.
bool Assemble(char* dst, size_t dstSize, const char* head, size_t headLength, bool separator,
              const char* tail, size_t tailLength) {
    if (dst == nullptr || dstSize == 0) {
        return false;
    }
    const size_t total = headLength + (separator ? 1 : 0) + tailLength;
    if (total >= dstSize) {
        dst[0] = '\0';
        return false;
    }
    if (headLength > 0) {
        std::memmove(dst, head, headLength);
    }
    size_t at = headLength;
    if (separator) {
        dst[at++] = '\\';
    }
    if (tailLength > 0) {
        std::memmove(dst + at, tail, tailLength);
    }
    dst[total] = '\0';
    return true;
}

void Clear(char* dst, size_t dstSize) {
    if (dst != nullptr && dstSize > 0) {
        dst[0] = '\0';
    }
}

}  // namespace

bool JoinPath(char* dst, size_t dstSize, const char* dir, const char* tail) {
    if (dir == nullptr) {
        dir = "";
    }
    if (tail == nullptr) {
        tail = "";
    }
    if (cp932::EndsWithLoneLeadByte(dir)) {
        Clear(dst, dstSize);
        return false;
    }
    const size_t dirLength = std::strlen(dir);
    bool separator = false;
    if (dirLength > 0 && tail[0] != '\0') {
        const bool dirHasSeparator = cp932::EndsWithBackslash(dir);
        const bool tailHasSeparator = tail[0] == '\\';
        if (dirHasSeparator && tailHasSeparator) {
            ++tail;
        }
        separator = !dirHasSeparator && !tailHasSeparator;
    }
    return Assemble(dst, dstSize, dir, dirLength, separator, tail, std::strlen(tail));
}

bool ReplaceExtension(char* dst, size_t dstSize, const char* path, const char* extension) {
    if (path == nullptr) {
        path = "";
    }
    if (extension == nullptr) {
        extension = "";
    }
    const char* separator = cp932::FindLastBackslash(path);
    const char* name = separator != nullptr ? separator + 1 : path;
    const char* point = cp932::FindLastChar(name, '.');
    const size_t stemLength =
        point != nullptr ? static_cast<size_t>(point - path) : std::strlen(path);
    return Assemble(dst, dstSize, path, stemLength, false, extension, std::strlen(extension));
}

bool DirectoryOf(char* dst, size_t dstSize, const char* path) {
    const char* separator = cp932::FindLastBackslash(path);
    if (separator == nullptr) {
        Clear(dst, dstSize);
        return false;
    }
    size_t length = static_cast<size_t>(separator - path);
    const bool isRoot = length == 0 || (length == 2 && path[1] == ':');
    if (isRoot) {
        ++length;
    }
    return Assemble(dst, dstSize, path, length, false, nullptr, 0);
}

}  // namespace path
