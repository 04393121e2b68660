#include "bramble/app/dmi_command_block.h"

#include <cstring>

namespace bramble {

DmiCommandBlock::DmiCommandBlock()
{
    std::memset(bytes_, 0, sizeof bytes_);
    std::memcpy(bytes_, "11MD", 4);
    SetWord(8, 4096);
    SetWord(16, 1);
    SetWord(28, static_cast<uint32_t>(kReplySize));
    // The reply area lies inside the block itself.
    SetWord(32, static_cast<uint32_t>(reinterpret_cast<uintptr_t>(bytes_ + kReplyOffset)));
    SetWord(36, 1);
}

void DmiCommandBlock::PrepareForSend()
{
    SetWord(4, kUnregisterCommand);
    SetWord(8, 4096);
    SetWord(16, 1);
    SetWord(20, 0);
    SetWord(24, 0);
    SetWord(28, 0);
    SetWord(32, 0);
    SetWord(64, Word(5124));
}

uint32_t DmiCommandBlock::Word(size_t offset) const
{
    if (offset + 4 > kSize)
        return 0;
    return static_cast<uint32_t>(bytes_[offset]) | static_cast<uint32_t>(bytes_[offset + 1]) << 8 |
           static_cast<uint32_t>(bytes_[offset + 2]) << 16 | static_cast<uint32_t>(bytes_[offset + 3]) << 24;
}

void DmiCommandBlock::SetWord(size_t offset, uint32_t value)
{
    if (offset + 4 > kSize)
        return;
    for (int i = 0; i < 4; ++i)
        bytes_[offset + i] = static_cast<uint8_t>(value >> (8 * i));
}

void SendUnregisterCommand(DmiCommandBlock& block, DmiInvokeFunction invoke)
{
    block.PrepareForSend();
    if (invoke)
        invoke(block.Bytes());
}

}  // namespace bramble
