// The service layer's handling of command blocks from management programs:
// every length, offset and count in a block is checked against the block.
#include "platform/dmi/service_layer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "common/byte_fields.h"
#include "platform/dmi/tests/mif_samples.h"

namespace {

using le::PutWord;
using le::Word;

const char kRowsMif[] = R"(Start Component Name = "Rows"
  Start Path Name = "CORVANEDI" Win32 = direct-interface End Path
  Start Group Name = "Rows" Class = "X|Rows|1" ID = 5 Key = 1
    Start Attribute Name = "Index" ID = 1 Type = Integer Value = *"CORVANEDI" End Attribute
    Start Attribute Name = "Text" ID = 2 Type = String(16) Value = *"CORVANEDI" End Attribute
  End Group
End Component
)";

// Answers every forwarded get with the first key's value, and notes the keys.
class EchoInstrumentation : public service::Instrumentation {
public:
    uint32_t Get(const std::string&, uint32_t, uint32_t, uint32_t, const uint32_t* keys, size_t keyCount,
                 MifAnswer* answer) override
    {
        seen.assign(keys, keys + keyCount);
        answer->type = dmi::kInteger;
        answer->value32 = keyCount ? keys[0] : 0;
        return service::kNoError;
    }
    std::vector<uint32_t> seen;
};

class Blocks : public ::testing::Test {
protected:
    void SetUp() override
    {
        database.Load({{"demo.mif", kDemoMif}, {"rows.mif", kRowsMif}});
        ASSERT_EQ(database.ComponentCount(), 2u);
        std::vector<uint8_t> registration = Header(0x100, 0);
        PutWord(registration.data(), 8, 4);
        PutWord(registration.data(), 64, 0x401000);   // a completion routine
        ASSERT_EQ(Run(registration), service::kNoError);
        handle = Word(confirm.data(), 8);
    }

    // A block as the viewer fills it: 2048 bytes, the confirm buffer beside it.
    std::vector<uint8_t> Header(uint32_t command, uint32_t managementHandle)
    {
        std::vector<uint8_t> block(2048, 0);
        PutWord(block.data(), 0, service::kLevelCheck);
        PutWord(block.data(), 4, command);
        PutWord(block.data(), 8, 2048);
        PutWord(block.data(), 12, managementHandle);
        PutWord(block.data(), 28, 2048);
        PutWord(block.data(), 32, 0x1000);   // not followed: the test passes the buffer
        return block;
    }
    std::vector<uint8_t> GetBlock(uint32_t component, uint32_t group, uint32_t attribute)
    {
        std::vector<uint8_t> block = Header(0x300, handle);
        PutWord(block.data(), 64, component);
        PutWord(block.data(), 68, group);
        PutWord(block.data(), 80, attribute);
        return block;
    }
    // One key {attribute 1, type} at 84 with its value at 96.
    static void AddKey(std::vector<uint8_t>& block, uint32_t type, const void* value, size_t size)
    {
        PutWord(block.data(), 72, 1);
        PutWord(block.data(), 76, 84);
        PutWord(block.data(), 84, 1);
        PutWord(block.data(), 88, type);
        PutWord(block.data(), 92, 96);
        std::memcpy(block.data() + 96, value, size);
    }
    // The status the block ends with: refused at once, or after it ran.
    uint32_t Run(std::vector<uint8_t>& block)
    {
        size_t length = Word(block.data(), 4) == 0x100 ? 72 : Word(block.data(), 8);
        uint32_t refused = layer.Check(block.data(), length);
        if (refused)
            return refused;
        return layer.Execute(block.data(), length, confirm.data(), confirm.size()).status;
    }
    std::string StringAnswer()
    {
        uint32_t at = Word(confirm.data(), 12);
        return std::string(reinterpret_cast<const char*>(&confirm[at + 4]), Word(confirm.data(), at));
    }

    MifDatabase database;
    EchoInstrumentation instrumentation;
    service::ServiceLayer layer{database, instrumentation};
    std::vector<uint8_t> confirm = std::vector<uint8_t>(2048, 0);
    uint32_t handle = 0;
};

TEST_F(Blocks, LengthsOffsetsAndCountsOutsideTheBlockGetAnErrorStatus)
{
    // Component 1 is demo.mif, its table 3 keyed by a drive letter string.
    struct Case {
        const char* what;
        void (*spoil)(std::vector<uint8_t>&);
        uint32_t status;
    };
    const Case cases[] = {
        {"declared length shorter than the request",
         [](std::vector<uint8_t>& b) { PutWord(b.data(), 8, 80); }, 0x201},
        {"declared length beyond any block",
         [](std::vector<uint8_t>& b) { PutWord(b.data(), 8, 0x7FFFFFFF); }, 0x201},
        {"level", [](std::vector<uint8_t>& b) { PutWord(b.data(), 0, 0x31494D44); }, 0x208},
        {"command", [](std::vector<uint8_t>& b) { PutWord(b.data(), 4, 0x203); }, 0x202},
        {"no confirm buffer", [](std::vector<uint8_t>& b) { PutWord(b.data(), 32, 0); }, 0x206},
        {"more than three keys", [](std::vector<uint8_t>& b) { PutWord(b.data(), 72, 4); }, 0x105},
        {"key list inside the header", [](std::vector<uint8_t>& b) { PutWord(b.data(), 76, 40); }, 0x201},
        {"key list past the end", [](std::vector<uint8_t>& b) { PutWord(b.data(), 76, 2040); }, 0x201},
        {"key list offset wrapping around",
         [](std::vector<uint8_t>& b) { PutWord(b.data(), 76, 0xFFFFFFF4); }, 0x201},
        {"key value past the end", [](std::vector<uint8_t>& b) { PutWord(b.data(), 92, 2046); }, 0x201},
        {"key string longer than the block", [](std::vector<uint8_t>& b) { PutWord(b.data(), 96, 1950); }, 0x201},
        {"key of no data type", [](std::vector<uint8_t>& b) { PutWord(b.data(), 88, 9); }, 0x105},
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> block = GetBlock(1, 3, 3);
        AddKey(block, dmi::kDisplayString, "\x02\0\0\0D:", 6);
        c.spoil(block);
        EXPECT_EQ(Run(block), c.status) << c.what;
    }

    // Class filters of a listing likewise.
    for (uint32_t offset : {20u, 2046u}) {
        std::vector<uint8_t> list = Header(0x201, handle);
        PutWord(list.data(), 68, offset);
        EXPECT_EQ(Run(list), 0x201u) << offset;
    }
    std::vector<uint8_t> list = Header(0x201, handle);
    PutWord(list.data(), 68, 80);
    PutWord(list.data(), 80, 1965);
    EXPECT_EQ(Run(list), 0x201u);
    PutWord(list.data(), 80, 1964);   // up to the last byte of the block
    EXPECT_EQ(Run(list), 0x102u);
}

TEST_F(Blocks, KeysAreReadByTheirTypeAndInstrumentationTakesRowNumbers)
{
    std::vector<uint8_t> block = GetBlock(1, 3, 3);
    AddKey(block, dmi::kDisplayString, "\x02\0\0\0D:", 6);
    ASSERT_EQ(Run(block), 0u);
    EXPECT_EQ(StringAnswer(), "データ表");

    // Component 2's rows come from the instrumentation with the row number.
    const uint32_t row = 7;
    block = GetBlock(2, 5, 2);
    AddKey(block, dmi::kInteger, &row, 4);
    ASSERT_EQ(Run(block), 0u);
    EXPECT_EQ(instrumentation.seen, std::vector<uint32_t>{7});
    EXPECT_EQ(Word(confirm.data(), Word(confirm.data(), 12)), 7u);
    AddKey(block, dmi::kDisplayString, "\x01\0\0\0" "7", 5);
    EXPECT_EQ(Run(block), 0x105u);
}

TEST_F(Blocks, AComponentNameLongerThanTheConfirmIsCutNotFatal)
{
    std::string longName(3000, 'n');
    longName.replace(255, 2, "表");   // the cut falls inside this character
    database.Load({{"demo.mif", kDemoMif}, {"long.mif", OneGroupMif(longName, "X|Long|1")}});
    std::vector<uint8_t> list = Header(0x201, handle);
    ASSERT_EQ(Run(list), 0u);
    ASSERT_EQ(Word(confirm.data(), 28), 3u);   // ids are never given again: 2 was rows.mif
    uint32_t name = Word(confirm.data(), 28 + 8);
    EXPECT_EQ(Word(confirm.data(), name), 255u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&confirm[name + 4]), 255), longName.substr(0, 255));
}

TEST_F(Blocks, AHandleIsGoodFromRegistrationToUnregistration)
{
    std::vector<uint8_t> stranger = Header(0x101, handle + 1);
    EXPECT_EQ(Run(stranger), 0x203u);
    std::vector<uint8_t> get = GetBlock(1, 1, 1);
    ASSERT_EQ(Run(get), 0u);
    std::vector<uint8_t> unregister = Header(0x101, handle);
    ASSERT_EQ(Run(unregister), 0u);
    EXPECT_EQ(Run(get), 0x203u);
    EXPECT_EQ(Run(unregister), 0x203u);
    // A block accepted before the unregistration ran is refused when it runs.
    std::vector<uint8_t> registration = Header(0x100, 0);
    PutWord(registration.data(), 64, 0x401000);
    ASSERT_EQ(Run(registration), 0u);
    get = GetBlock(1, 1, 1);
    PutWord(get.data(), 12, Word(confirm.data(), 8));
    ASSERT_EQ(layer.Check(get.data(), 2048), 0u);
    unregister = Header(0x101, Word(confirm.data(), 8));
    ASSERT_EQ(Run(unregister), 0u);
    EXPECT_EQ(layer.Execute(get.data(), 2048, confirm.data(), confirm.size()).status, 0x203u);
}

}  // namespace
