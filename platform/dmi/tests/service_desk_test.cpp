// The service layer DLLs as other programs meet them: their exports, blocks
// they must refuse at once, and the record of the component program's command.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "harness/harness.h"

namespace {

using Entry = ULONG(WINAPI*)(void*);

void Put(std::vector<uint8_t>& b, size_t offset, uint32_t v)
{
    std::memcpy(&b[offset], &v, 4);
}

}  // namespace

TEST(ServiceLibraries, ExportsAreUndecoratedAndTheEntryIsOrdinalThree)
{
    HMODULE sextant = LoadLibraryA("sextant32.dll");
    ASSERT_NE(sextant, nullptr);
    FARPROC byOrdinal = GetProcAddress(sextant, MAKEINTRESOURCEA(3));
    ASSERT_NE(byOrdinal, nullptr);
    EXPECT_EQ(byOrdinal, GetProcAddress(sextant, "DmiCommandEntry"));
    EXPECT_EQ(GetProcAddress(sextant, "DmiCommandEntry@4"), nullptr);
    HMODULE slinf = LoadLibraryA("corvaneslinf.dll");
    ASSERT_NE(slinf, nullptr);
    EXPECT_NE(GetProcAddress(slinf, "DmiInvoke"), nullptr);
}

TEST(ServiceLibraries, BadBlocksAreRefusedAtOnce)
{
    auto entry = reinterpret_cast<Entry>(
        reinterpret_cast<void*>(GetProcAddress(LoadLibraryA("sextant32.dll"), MAKEINTRESOURCEA(3))));
    ASSERT_NE(entry, nullptr);
    std::vector<uint8_t> block(2048, 0), confirm(2048, 0);
    EXPECT_EQ(entry(nullptr), 0x201u);
    // Wrong level.
    Put(block, 0, 0x12345678);
    Put(block, 4, 0x201);
    EXPECT_EQ(entry(block.data()), 0x208u);
    // A handle nobody was given, and a command nobody knows.
    Put(block, 0, 0x444D4931);
    Put(block, 8, 2048);
    Put(block, 12, 0x7777);
    Put(block, 28, 2048);
    Put(block, 32, static_cast<uint32_t>(reinterpret_cast<uintptr_t>(confirm.data())));
    EXPECT_EQ(entry(block.data()), 0x203u);
    Put(block, 4, 0x999);
    EXPECT_EQ(entry(block.data()), 0x202u);
    // Registration without a completion routine.
    Put(block, 4, 0x100);
    EXPECT_EQ(entry(block.data()), 0x205u);
}

TEST(ServiceLibraries, ComponentProgramsCommandIsRecordedByteForByte)
{
    auto invoke = reinterpret_cast<Entry>(
        reinterpret_cast<void*>(GetProcAddress(LoadLibraryA("corvaneslinf.dll"), "DmiInvoke")));
    ASSERT_NE(invoke, nullptr);
    const std::string log = "C:\\DMI\\corvaneslinf.log";
    harness::deleteFile(log);
    std::vector<uint8_t> block(5140, 0);
    std::memcpy(block.data(), "11MD", 4);
    Put(block, 4, 0x401);
    Put(block, 8, 4096);
    Put(block, 16, 1);
    Put(block, 36, 1);
    Put(block, 64, 0xA5A5);
    EXPECT_EQ(invoke(block.data()), 0u);
    Put(block, 4, 0x300);
    EXPECT_EQ(invoke(block.data()), 0x202u);

    auto recorded = harness::readFile(log);
    ASSERT_TRUE(recorded.has_value());
    ASSERT_EQ(recorded->size(), 2 * (4 + 4096u));
    uint32_t length = 0;
    std::memcpy(&length, recorded->data(), 4);
    EXPECT_EQ(length, 4096u);
    std::vector<uint8_t> first(recorded->begin() + 4, recorded->begin() + 4 + 4096);
    Put(block, 4, 0x401);
    EXPECT_EQ(std::memcmp(first.data(), block.data(), 4096), 0);
}
