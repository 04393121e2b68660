// The command block bramble sends: its bytes fresh and as sent.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

#include "bramble/app/dmi_command_block.h"

using bramble::DmiCommandBlock;

namespace {

std::vector<uint8_t> g_received;
int g_calls = 0;

ULONG WINAPI RecordingInvoke(void* block)
{
    ++g_calls;
    auto* bytes = static_cast<const uint8_t*>(block);
    g_received.assign(bytes, bytes + DmiCommandBlock::kSize);
    return 0;
}

// Offsets of the words the block sets; every other byte stays zero.
bool IsSetWord(size_t offset, const std::vector<size_t>& words)
{
    for (size_t word : words)
        if (offset >= word && offset < word + 4)
            return true;
    return false;
}

}  // namespace

TEST(DmiCommandBlock, FreshBlockCarriesLevelLengthAndReplyArea)
{
    auto block = std::make_unique<DmiCommandBlock>();
    EXPECT_EQ(std::memcmp(block->Bytes(), "11MD", 4), 0);
    EXPECT_EQ(block->Word(4), 0u);
    EXPECT_EQ(block->Word(8), 4096u);
    EXPECT_EQ(block->Word(16), 1u);
    EXPECT_EQ(block->Word(20), 0u);
    EXPECT_EQ(block->Word(24), 0u);
    EXPECT_EQ(block->Word(28), 1024u);
    EXPECT_EQ(block->Word(32), static_cast<uint32_t>(reinterpret_cast<uintptr_t>(block->Bytes() + 4096)));
    EXPECT_EQ(block->Word(36), 1u);
    EXPECT_EQ(block->Word(64), 0u);
    EXPECT_EQ(block->Word(5124), 0u);
    for (size_t i = 0; i < DmiCommandBlock::kSize; ++i) {
        if (!IsSetWord(i, {0, 8, 16, 28, 32, 36})) {
            ASSERT_EQ(block->Bytes()[i], 0) << "byte " << i;
        }
    }
}

TEST(DmiCommandBlock, SentBlockCarriesTheCommandAndClearsTheReplyArea)
{
    auto block = std::make_unique<DmiCommandBlock>();
    // What lies at 5124 travels in the word at 64.
    block->Bytes()[5124] = 0x78;
    block->Bytes()[5127] = 0x12;
    g_calls = 0;
    bramble::SendUnregisterCommand(*block, &RecordingInvoke);
    ASSERT_EQ(g_calls, 1);
    ASSERT_EQ(g_received.size(), DmiCommandBlock::kSize);
    auto word = [](size_t offset) {
        uint32_t value;
        std::memcpy(&value, g_received.data() + offset, 4);
        return value;
    };
    EXPECT_EQ(std::memcmp(g_received.data(), "11MD", 4), 0);
    EXPECT_EQ(word(4), 0x401u);
    EXPECT_EQ(word(8), 4096u);
    EXPECT_EQ(word(16), 1u);
    EXPECT_EQ(word(20), 0u);
    EXPECT_EQ(word(24), 0u);
    EXPECT_EQ(word(28), 0u);
    EXPECT_EQ(word(32), 0u);
    EXPECT_EQ(word(36), 1u);
    EXPECT_EQ(word(64), 0x12000078u);
    EXPECT_EQ(word(5124), 0x12000078u);
    for (size_t i = 0; i < DmiCommandBlock::kSize; ++i) {
        if (!IsSetWord(i, {0, 4, 8, 16, 36, 64, 5124})) {
            ASSERT_EQ(g_received[i], 0) << "byte " << i;
        }
    }
}

TEST(DmiCommandBlock, MissingEntryIsNotCalled)
{
    auto block = std::make_unique<DmiCommandBlock>();
    bramble::SendUnregisterCommand(*block, nullptr);
    EXPECT_EQ(block->Word(4), 0x401u);
    EXPECT_EQ(block->Word(6000), 0u);
}
