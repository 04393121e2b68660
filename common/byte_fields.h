// 32-bit little-endian fields at byte offsets of a buffer: command blocks,
// confirm buffers and shared areas are laid out this way. The caller checks
// that offset + 4 lies inside the buffer.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace le {

inline uint32_t Word(const void* buffer, size_t offset)
{
    uint32_t value;
    std::memcpy(&value, static_cast<const uint8_t*>(buffer) + offset, sizeof value);
    return value;
}

inline void PutWord(void* buffer, size_t offset, uint32_t value)
{
    std::memcpy(static_cast<uint8_t*>(buffer) + offset, &value, sizeof value);
}

}  // namespace le
