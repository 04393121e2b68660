// The service layer DLLs as other programs meet them: their exports, blocks
// they must refuse at once, and the record of the component program's command;
// the bridge to a component program in another process.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "harness/harness.h"
#include "platform/dmi/bridge_client.h"

namespace {

using Entry = ULONG(WINAPI*)(void*);

void Put(std::vector<uint8_t>& b, size_t offset, uint32_t v)
{
    std::memcpy(&b[offset], &v, 4);
}

uint32_t Word(const uint8_t* p, size_t offset)
{
    uint32_t v;
    std::memcpy(&v, p + offset, 4);
    return v;
}

volatile LONG g_done = 0;
void WINAPI Done(ULONG)
{
    InterlockedExchange(&g_done, 1);
}

// Hands a block to the entry and waits (bounded) for its completion; the
// block's final status, or 0xFFFFFFFF when the completion never came.
uint32_t Issue(Entry entry, std::vector<uint8_t>& block)
{
    InterlockedExchange(&g_done, 0);
    ULONG now = entry(block.data());
    if (now > 1)
        return now;
    for (int i = 0; i < 500 && !g_done; ++i)
        Sleep(10);
    return g_done ? Word(block.data(), 44) : 0xFFFFFFFFu;
}

std::string WatchedMif(const std::string& value)
{
    return "start component name = \"Watched\"\n"
           "start group name = \"G\" class = \"TEST|Watched|1\" id = 1\n"
           "start attribute name = \"A\" id = 1 type = string(16) value = \"" + value + "\" end attribute\n"
           "end group end component\n";
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
    EXPECT_EQ(GetProcAddress(slinf, "DmiInvoke@4"), nullptr);
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

    // A block at the end of its memory that declares more, and a confirm
    // buffer that is not there: the next page is reserved, never committed.
    auto* pages = static_cast<uint8_t*>(VirtualAlloc(nullptr, 8192, MEM_RESERVE, PAGE_NOACCESS));
    ASSERT_NE(pages, nullptr);
    ASSERT_NE(VirtualAlloc(pages, 4096, MEM_COMMIT, PAGE_READWRITE), nullptr);
    uint8_t* last = pages + 4096 - 2048;
    Put(block, 4, 0x201);
    std::memcpy(last, block.data(), 2048);
    EXPECT_EQ(entry(last), 0x203u);   // read as far as the handle
    Put(block, 8, 2049);
    std::memcpy(last, block.data(), 2048);
    EXPECT_EQ(entry(last), 0x201u);
    EXPECT_EQ(entry(pages + 4096 - 32), 0x201u);
    std::vector<uint8_t> registration(block.begin(), block.begin() + 72);
    Put(registration, 4, 0x100);
    Put(registration, 32, static_cast<uint32_t>(reinterpret_cast<uintptr_t>(pages + 4096)));
    Put(registration, 64, 0x401000);
    EXPECT_EQ(entry(registration.data()), 0x206u);
    // A completion routine that is no code: the worker would crash calling it.
    Put(registration, 32, static_cast<uint32_t>(reinterpret_cast<uintptr_t>(confirm.data())));
    Put(registration, 64, static_cast<uint32_t>(reinterpret_cast<uintptr_t>(confirm.data())));
    EXPECT_EQ(entry(registration.data()), 0x205u);
    VirtualFree(pages, 0, MEM_RELEASE);
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

TEST(Bridge, AnswersAreReadOnlyAsFarAsTheirAreasReach)
{
    harness::Process responder = harness::Process::start(harness::fromUnixPath(BRIDGE_RESPONDER), "bad");
    ASSERT_TRUE(responder.valid());
    harness::WindowQuery query;
    query.className = "corvanedmici";
    ASSERT_NE(harness::waitForWindow(query), nullptr);

    MifAnswer answer;
    EXPECT_EQ(service::BridgeGet(1, 16, 1, nullptr, 0, 5000, &answer), 0x10004u);
    ASSERT_EQ(service::BridgeGet(1, 16, 2, nullptr, 0, 5000, &answer), 0u);
    EXPECT_EQ(answer.type, dmi::kDisplayString);
    EXPECT_EQ(answer.bytes, std::string(4092, 'x'));
    EXPECT_EQ(service::BridgeGet(1, 7, 3, nullptr, 0, 5000, &answer), 0x10004u);
    // The key reaches the program's first key slot; more keys than slots never leave.
    const uint32_t keys[4] = {2, 0, 0, 0};
    ASSERT_EQ(service::BridgeGet(1, 5, 2, keys, 1, 5000, &answer), 0u);
    EXPECT_EQ(answer.bytes, "row 2");
    EXPECT_EQ(service::BridgeGet(1, 5, 2, keys, 4, 5000, &answer), 0x105u);
    EXPECT_EQ(service::BridgeGet(1, 5, 2, nullptr, 0, 5000, &answer), 0x100u);
}

TEST(ServiceLibraries, AChangedMifIsAnsweredFromWithoutANewListing)
{
    auto entry = reinterpret_cast<Entry>(
        reinterpret_cast<void*>(GetProcAddress(LoadLibraryA("sextant32.dll"), MAKEINTRESOURCEA(3))));
    ASSERT_NE(entry, nullptr);
    const std::string mif = "C:\\DMI\\db\\mifs\\watched.mif";
    ASSERT_TRUE(harness::writeFile(mif, WatchedMif("first")));
    std::vector<uint8_t> block(2048, 0), confirm(2048, 0);
    Put(block, 0, 0x444D4931);
    Put(block, 4, 0x100);
    Put(block, 8, 4);
    Put(block, 28, 2048);
    Put(block, 32, static_cast<uint32_t>(reinterpret_cast<uintptr_t>(confirm.data())));
    Put(block, 64, static_cast<uint32_t>(reinterpret_cast<uintptr_t>(&Done)));
    ASSERT_EQ(Issue(entry, block), 0u);
    const uint32_t handle = Word(confirm.data(), 8);

    // Find the component by its class, then read its value.
    const char filter[] = "TEST|Watched|1";
    Put(block, 4, 0x201);
    Put(block, 8, 2048);
    Put(block, 12, handle);
    Put(block, 64, 0);
    Put(block, 68, 80);
    Put(block, 80, sizeof filter - 1);
    std::memcpy(&block[84], filter, sizeof filter - 1);
    ASSERT_EQ(Issue(entry, block), 0u);
    ASSERT_EQ(Word(block.data(), 40), 1u);
    const uint32_t component = Word(confirm.data(), 0);
    auto read = [&]() -> std::string {
        Put(block, 4, 0x300);
        Put(block, 64, component);
        Put(block, 68, 1);
        Put(block, 72, 0);
        Put(block, 76, 0);
        Put(block, 80, 1);
        if (Issue(entry, block) != 0)
            return "(failed)";
        uint32_t at = Word(confirm.data(), 12);
        return std::string(reinterpret_cast<const char*>(&confirm[at + 4]), Word(confirm.data(), at));
    };
    EXPECT_EQ(read(), "first");
    ASSERT_TRUE(harness::writeFile(mif, WatchedMif("second value")));
    EXPECT_EQ(read(), "second value");

    Put(block, 4, 0x101);
    EXPECT_EQ(Issue(entry, block), 0u);
    harness::deleteFile(mif);
}
