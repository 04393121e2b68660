// The one DMI command bramble sends itself, through the service layer's
// DmiInvoke: a 5140-byte block of little-endian 32-bit words.
#pragma once
#include <windows.h>

#include <cstddef>
#include <cstdint>

namespace bramble {

class DmiCommandBlock {
public:
    static constexpr size_t kSize = 5140;
    static constexpr uint32_t kUnregisterCommand = 0x401;
    static constexpr size_t kReplyOffset = 4096;
    static constexpr size_t kReplySize = 1024;

    // Zero-filled, then the level "11MD", the length, the reply area and the
    // flags a fresh block carries.
    DmiCommandBlock();

    // Sets the header words to what the command is sent with.
    void PrepareForSend();

    uint32_t Word(size_t offset) const;
    const uint8_t* Bytes() const { return bytes_; }
    uint8_t* Bytes() { return bytes_; }

private:
    void SetWord(size_t offset, uint32_t value);
    uint8_t bytes_[kSize];
};

using DmiInvokeFunction = ULONG(WINAPI*)(void* block);

// Prepares the block and hands it to invoke; the answer does not matter.
void SendUnregisterCommand(DmiCommandBlock& block, DmiInvokeFunction invoke);

}  // namespace bramble
