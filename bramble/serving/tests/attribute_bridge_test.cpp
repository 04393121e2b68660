// The bridge driven the way the service layer drives it (its own client,
// in this process), against entry points that record what they were given.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "bramble/serving/attribute_bridge.h"
#include "platform/dmi/bridge_client.h"

using namespace bramble;

namespace {

struct Seen {
    ULONG group = 0, attribute = 0, keyCount = 99;
    std::vector<uint32_t> keyValues;
    bool keysNull = false;
    int calls = 0;
} g_seen;

uint32_t g_integer = 0x12345678;
uint8_t g_string[8200];
AttributeResult g_result;
bool g_answerNull = false;
std::string g_setValue;

AttributeResult* WINAPI FakeGet(ULONG, ULONG group, ULONG attribute, ULONG keyCount, KeyEntry* keys)
{
    ++g_seen.calls;
    g_seen.group = group;
    g_seen.attribute = attribute;
    g_seen.keyCount = keyCount;
    g_seen.keysNull = keys == nullptr;
    g_seen.keyValues.clear();
    for (ULONG k = 0; keys && k < keyCount; ++k) {
        uint32_t v;
        std::memcpy(&v, keys[k].value, 4);
        g_seen.keyValues.push_back(v);
    }
    if (g_answerNull)
        return nullptr;
    g_result.attributeId = attribute;
    if (group == 8) {
        g_result.dataType = 8;
        g_result.value = g_string;
    } else {
        g_result.dataType = 5;
        g_result.value = &g_integer;
    }
    return &g_result;
}

ULONG WINAPI FakeSet(ULONG, ULONG group, ULONG, ULONG, KeyEntry*, void* value)
{
    uint32_t length;
    std::memcpy(&length, value, 4);
    g_setValue.assign(static_cast<char*>(value) + 4, length < 4092 ? length : 4092);
    return group == 32 ? 0 : 1;
}

const CiEntryPoints kEntries = {FakeGet, FakeGet, FakeSet};
AttributeBridge* g_bridge = nullptr;

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message >= kBridgeGet && message <= kBridgeSet)
        return g_bridge->Handle(message, kEntries);
    return DefWindowProcA(window, message, wParam, lParam);
}

class Bridge : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        g_bridge = new AttributeBridge;
        ASSERT_TRUE(g_bridge->Create());
        WNDCLASSA wc = {};
        wc.lpfnWndProc = WindowProcedure;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "corvanedmici";
        RegisterClassA(&wc);
        window = CreateWindowA("corvanedmici", "", 0, 0, 0, 0, 0, nullptr, nullptr, wc.hInstance, nullptr);
        ASSERT_NE(window, nullptr);
    }
    void SetUp() override
    {
        g_seen = Seen();
        g_answerNull = false;
    }
    static HWND window;
};
HWND Bridge::window = nullptr;

uint8_t* View(const char* name, size_t size)
{
    HANDLE mapping = OpenFileMappingA(FILE_MAP_ALL_ACCESS, FALSE, name);
    return mapping ? static_cast<uint8_t*>(MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, size)) : nullptr;
}

}  // namespace

TEST_F(Bridge, KeysTravelThroughTheSlotsAndAnswersComeBackByType)
{
    MifAnswer answer;
    const uint32_t keys[] = {7, 9};
    ASSERT_EQ(service::BridgeGet(1, 11, 3, keys, 2, 2000, &answer), 0u);
    EXPECT_EQ(g_seen.group, 11u);
    EXPECT_EQ(g_seen.attribute, 3u);
    EXPECT_EQ(g_seen.keyValues, (std::vector<uint32_t>{7, 9}));
    EXPECT_EQ(answer.type, dmi::kInteger);
    EXPECT_EQ(answer.value32, 0x12345678u);

    // No keys: the handler gets no key list at all.
    ASSERT_EQ(service::BridgeGet(1, 11, 3, nullptr, 0, 2000, &answer), 0u);
    EXPECT_TRUE(g_seen.keysNull);

    // A string is copied as its length and text, exactly.
    const char text[] = "ﾃｽﾄ表示";
    uint32_t length = sizeof text - 1;
    std::memcpy(g_string, &length, 4);
    std::memcpy(g_string + 4, text, length);
    uint8_t* valueArea = View("HELMSETMIFDATA", kAreaSize);
    ASSERT_NE(valueArea, nullptr);
    std::memset(valueArea, 0xEE, kAreaSize);
    ASSERT_EQ(service::BridgeGet(1, 8, 1, nullptr, 0, 2000, &answer), 0u);
    EXPECT_EQ(answer.bytes, std::string(text));
    EXPECT_EQ(valueArea[4 + length], 0xEE);
}

TEST_F(Bridge, NullAnswersAndRequestsThatCannotBeServed)
{
    MifAnswer answer;
    g_answerNull = true;
    EXPECT_EQ(service::BridgeGet(1, 5, 1, nullptr, 0, 2000, &answer), 0x100u);

    // A header written by another process with more keys than there are slots.
    g_answerNull = false;
    g_seen.calls = 0;
    uint8_t* header = View("HELMSETDMIINFO", kAreaSize);
    ASSERT_NE(header, nullptr);
    const uint32_t request[] = {1, 5, 1, 4000000000u};
    std::memcpy(header, request, sizeof request);
    EXPECT_EQ(SendMessageA(window, kBridgeGet, 0, 0), 0);
    EXPECT_EQ(SendMessageA(window, kBridgeSet, 0, 0), 0);
    EXPECT_EQ(g_seen.calls, 0);
    EXPECT_EQ(SendMessageA(window, kBridgeReserve, 0, 0), 0);
    EXPECT_EQ(SendMessageA(window, kBridgeRelease, 0, 0), 0);

    // And the bridge still serves afterwards.
    ASSERT_EQ(service::BridgeGet(1, 5, 1, nullptr, 0, 2000, &answer), 0u);
    EXPECT_EQ(answer.value32, 0x12345678u);
}

TEST_F(Bridge, StringsLongerThanTheAreaAreCutAndSetsSeeTheValueArea)
{
    uint32_t length = 6000;
    std::memcpy(g_string, &length, 4);
    std::memset(g_string + 4, 'x', length);
    MifAnswer answer;
    ASSERT_EQ(service::BridgeGet(1, 8, 1, nullptr, 0, 2000, &answer), 0u);
    EXPECT_EQ(answer.bytes.size(), kAreaSize - 4);

    uint8_t* header = View("HELMSETDMIINFO", kAreaSize);
    uint8_t* valueArea = View("HELMSETMIFDATA", kAreaSize);
    ASSERT_TRUE(header && valueArea);
    const uint32_t request[] = {1, 30, 2, 0};
    std::memcpy(header, request, sizeof request);
    const uint32_t newLength = 5;
    std::memcpy(valueArea, &newLength, 4);
    std::memcpy(valueArea + 4, "12345", 5);
    EXPECT_EQ(SendMessageA(window, kBridgeSet, 0, 0), 1);
    EXPECT_EQ(g_setValue, "12345");
    const uint32_t health[] = {1, 32, 2, 0};
    std::memcpy(header, health, sizeof health);
    EXPECT_EQ(SendMessageA(window, kBridgeSet, 0, 0), 0);
}
