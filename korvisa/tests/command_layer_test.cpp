// The command layer against an in-process service layer that reads the
// blocks as the real one does.
#include <gtest/gtest.h>

#include <cstring>

#include "korvisa/dmi/command_layer.h"
#include "korvisa/tests/fake_service.h"

using namespace korvisa::dmi;

namespace {

class CommandLayer : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetForTests(500);
        FakeService::Instance().Reset();
        SetServiceEntry(&FakeService::Entry);
        ASSERT_EQ(RegisterManagement(), 0);
    }
    FakeService& service = FakeService::Instance();
};

}  // namespace

TEST_F(CommandLayer, RegistrationAndEveryBlockCarryTheFixedHeader)
{
    EXPECT_EQ(ManagementHandle(), service.handle);
    service.SetString(7, 1, 2, 0, "x");
    char buffer[16];
    uint32_t length = 0, type = 0;
    ASSERT_EQ(GetAttribute(7, 1, 2, 0, buffer, sizeof buffer, &length, &type), 0);
    const std::vector<uint8_t>& block = service.blocks.back();
    EXPECT_EQ(Word(block.data(), block::kLevel), kLevelCheck);
    EXPECT_EQ(std::memcmp(block.data(), "1IMD", 4), 0);
    EXPECT_EQ(Word(block.data(), block::kCommand), kCmdGetAttribute);
    EXPECT_EQ(Word(block.data(), block::kLength), 2048u);
    EXPECT_EQ(Word(block.data(), block::kHandle), service.handle);
    EXPECT_EQ(Word(block.data(), block::kConfirmAddress), Word(block.data(), block::kConfirmAddress2));
    EXPECT_EQ(Word(block.data(), block::kWord48), 64u);
    // No key: no key list.
    EXPECT_EQ(Word(block.data(), block::kGetKeyCount), 0u);
    EXPECT_EQ(Word(block.data(), block::kGetKeyListOffset), 0u);
}

TEST_F(CommandLayer, ListingContinuesAfterTheLastIdOfEachBatch)
{
    for (uint32_t id = 10; id < 17; ++id)
        service.AddComponent(id, "component " + std::to_string(id), id % 2 ? "A|B|1" : "C|D|2");
    service.batchSize = 2;
    uint32_t count = 0, nameBytes = 0;
    ASSERT_EQ(CountComponents(nullptr, &count, &nameBytes), 0);
    EXPECT_EQ(count, 7u);
    EXPECT_EQ(nameBytes, 7u * (12 + 1));

    uint32_t ids[8] = {};
    char names[8][64];
    uint32_t listed = 0;
    service.blocks.clear();
    ASSERT_EQ(ListComponents("A|B|1", ids, 8, names, &listed), 0);
    ASSERT_EQ(listed, 3u);
    EXPECT_EQ(ids[0], 11u);
    EXPECT_EQ(ids[2], 15u);
    EXPECT_STREQ(names[1], "component 13");
    // 0x201, then 0x202 after 13 (end of the first batch of two).
    ASSERT_EQ(service.blocks.size(), 2u);
    EXPECT_EQ(Word(service.blocks[1].data(), block::kCommand), kCmdListComponentsNext);
    EXPECT_EQ(Word(service.blocks[1].data(), block::kListAfterId), 13u);

    // More components than counted: only as many as there is room for.
    ASSERT_EQ(ListComponents(nullptr, ids, 4, nullptr, &listed), 0);
    EXPECT_EQ(listed, 4u);

    // A class nobody has ends with 0x102: success, nothing listed.
    ASSERT_EQ(ListComponents("X|Y|9", ids, 8, nullptr, &listed), 0);
    EXPECT_EQ(listed, 0u);

    // A name of double-byte characters is cut to what its 64-byte slot holds,
    // whole characters only, and the next slot keeps its own name.
    std::string longName;
    for (int i = 0; i < 40; ++i)
        longName += "表";
    service.AddComponent(30, longName, "L|N|1");
    service.AddComponent(31, "next", "L|N|1");
    ASSERT_EQ(ListComponents("L|N|1", ids, 8, names, &listed), 0);
    ASSERT_EQ(listed, 2u);
    EXPECT_EQ(std::string(names[0]), longName.substr(0, 62));
    EXPECT_STREQ(names[1], "next");
}

TEST_F(CommandLayer, RegistrationObjectRegistersOnceAndUnregistersAtTheEnd)
{
    ResetForTests(500);
    service.Reset();
    {
        ManagementRegistration registration(&FakeService::Entry);
        EXPECT_TRUE(IsRegistered());
        EXPECT_EQ(ManagementHandle(), service.handle);
        ASSERT_EQ(service.blocks.size(), 1u);
        const uint8_t* reg = service.blocks[0].data();
        EXPECT_EQ(Word(reg, block::kLevel), kLevelCheck);
        EXPECT_EQ(Word(reg, block::kCommand), kCmdRegister);
        EXPECT_EQ(Word(reg, block::kLength), 4u);
        EXPECT_EQ(Word(reg, block::kHandle), 0u);
        EXPECT_EQ(Word(reg, block::kConfirmLength), 2048u);
        EXPECT_NE(Word(reg, block::kConfirmAddress), 0u);
        EXPECT_EQ(Word(reg, block::kWord36), 1u);
        EXPECT_NE(Word(reg, block::kRegisterCompletion), 0u);
        EXPECT_EQ(Word(reg, block::kRegisterCompletion + 4), 0u);

        // A second registration object does not register again.
        ManagementRegistration again(&FakeService::Entry);
        EXPECT_EQ(service.blocks.size(), 1u);
        uint32_t id = 0;
        FindFirstComponent("A|B|1", &id);
        service.blocks.erase(service.blocks.begin(), service.blocks.end() - 1);
        // Leaving this scope ends both objects: one unregistration only.
    }
    EXPECT_FALSE(IsRegistered());
    ASSERT_EQ(service.blocks.size(), 2u);
    const uint8_t* last = service.blocks[0].data();
    const uint8_t* unreg = service.blocks[1].data();
    EXPECT_EQ(Word(unreg, block::kCommand), kCmdUnregister);
    EXPECT_EQ(Word(unreg, block::kLength), 2048u);
    EXPECT_EQ(Word(unreg, block::kHandle), service.handle);
    EXPECT_EQ(Word(unreg, block::kConfirmLength), 0u);
    EXPECT_EQ(Word(unreg, block::kConfirmAddress), 0u);
    // What the previous command left stays, the completion routine included.
    EXPECT_EQ(Word(unreg, block::kCompletion), Word(last, block::kCompletion));
    EXPECT_EQ(Word(unreg, block::kConfirmAddress2), Word(last, block::kConfirmAddress2));

    // A failed registration is attempted once only.
    ResetForTests(500);
    service.Reset();
    service.immediateStatus = 0x203;
    {
        ManagementRegistration registration(&FakeService::Entry);
        EXPECT_TRUE(IsRegistered());
        EXPECT_EQ(ManagementHandle(), 0u);
        EXPECT_EQ(LastServiceStatus(), 0x203u);
    }
    EXPECT_FALSE(IsRegistered());
}

TEST_F(CommandLayer, ClassFilterIsCutAtTwoHundredFiftySixCharacters)
{
    std::string longClass;
    for (int i = 0; i < 300; ++i)
        longClass += "表";   // 300 characters of two bytes each
    uint32_t id = 0;
    EXPECT_EQ(FindFirstComponent(longClass.c_str(), &id), 1);
    const std::vector<uint8_t>& block = service.blocks.back();
    EXPECT_EQ(Word(block.data(), block::kListClassOffset), 80u);
    EXPECT_EQ(Word(block.data(), block::kListClass), 256u * 2);
}

TEST_F(CommandLayer, ValuesComeBackByTypeEnumeratedOnesAsText)
{
    service.SetInteger(3, 5, 1, 0, 5, 2);
    service.SetEnumeration(3, 5, 1, {{1, "Other"}, {2, "ﾃﾞｽｸﾄｯﾌﾟ"}, {2, "second match"}});
    char buffer[300];
    uint32_t length = 0, type = 0;
    ASSERT_EQ(GetAttribute(3, 5, 1, 0, buffer, sizeof buffer, &length, &type), 0);
    EXPECT_EQ(type, 8u);
    EXPECT_STREQ(buffer, "ﾃﾞｽｸﾄｯﾌﾟ");
    EXPECT_EQ(length, std::strlen("ﾃﾞｽｸﾄｯﾌﾟ"));
    // The same attribute read as a number gives the number.
    uint32_t number = 0;
    ASSERT_EQ(GetAttribute(3, 5, 1, 0, &number, 4, &length, &type, true), 0);
    EXPECT_EQ(number, 2u);
    EXPECT_EQ(type, 5u);

    // A value the enumeration does not have fails the get.
    service.SetInteger(3, 5, 1, 0, 5, 9);
    EXPECT_EQ(GetAttribute(3, 5, 1, 0, buffer, sizeof buffer, &length, &type), 1);
    EXPECT_EQ(LastServiceStatus(), kStatusNotEnumerated);

    // An integer without an enumeration, a date, an empty display string, a keyed row.
    service.SetInteger(3, 6, 2, 0, 3, 12345);
    ASSERT_EQ(GetAttribute(3, 6, 2, 0, &number, 4, &length, &type), 0);
    EXPECT_EQ(number, 12345u);
    EXPECT_EQ(length, 4u);
    service.SetString(3, 6, 4, 0, "");
    std::memset(buffer, 'x', sizeof buffer);
    ASSERT_EQ(GetAttribute(3, 6, 4, 0, buffer, sizeof buffer, &length, &type), 0);
    EXPECT_EQ(length, 0u);
    EXPECT_EQ(buffer[0], '\0');
    service.SetString(3, 9, 3, 2, "second row");
    ASSERT_EQ(GetAttribute(3, 9, 3, 2, buffer, sizeof buffer, &length, &type), 0);
    EXPECT_STREQ(buffer, "second row");
    const std::vector<uint8_t>& block = service.blocks.back();
    EXPECT_EQ(Word(block.data(), block::kGetKeyCount), 1u);
    EXPECT_EQ(Word(block.data(), block::kGetKeyListOffset), 84u);
    EXPECT_EQ(Word(block.data(), 84), 1u);
    EXPECT_EQ(Word(block.data(), 88), 5u);
    EXPECT_EQ(Word(block.data(), 92), 96u);
    EXPECT_EQ(Word(block.data(), 96), 2u);

    // A string longer than the buffer is cut whole and terminated.
    service.SetString(3, 6, 5, 0, "ABC表示");
    char small[6];
    ASSERT_EQ(GetAttribute(3, 6, 5, 0, small, sizeof small, &length, &type), 0);
    EXPECT_STREQ(small, "ABC表");
}

TEST_F(CommandLayer, ImmediateFailureReturnsAtOnceAndSilenceIsBounded)
{
    service.immediateStatus = 0x80000007;
    uint32_t id = 0;
    DWORD start = GetTickCount();
    EXPECT_EQ(FindFirstComponent("A|B|1", &id), 1);
    EXPECT_LT(GetTickCount() - start, 400u);
    EXPECT_EQ(LastServiceStatus(), 0x80000007u);

    // A service layer that accepts a command and never completes it.
    service.immediateStatus = 0;
    service.neverComplete = true;
    EXPECT_EQ(FindFirstComponent("A|B|1", &id), 1);
    EXPECT_EQ(LastServiceStatus(), kStatusNoCompletion);
}

TEST_F(CommandLayer, ACommandGivenUpOnKeepsTheBlocksUntilItCompletes)
{
    service.AddComponent(7, "c", "A|B|1");
    uint32_t id = 0;
    // Completes well after the layer's 500 ms wait.
    service.completionDelayMs = 3000;
    EXPECT_EQ(FindFirstComponent("A|B|1", &id), 1);
    EXPECT_EQ(LastServiceStatus(), kStatusNoCompletion);

    // The late completion has not come: nothing is written into the blocks the
    // service layer may still fill, and nothing is handed over.
    size_t handedOver = service.blocks.size();
    service.completionDelayMs = 2;
    EXPECT_EQ(FindFirstComponent("A|B|1", &id), 1);
    EXPECT_EQ(LastServiceStatus(), kStatusNoCompletion);
    EXPECT_EQ(service.blocks.size(), handedOver);

    // Once it has come, commands run again.
    int found = 1;
    for (DWORD start = ::GetTickCount(); found != 0 && ::GetTickCount() - start < 15000;) {
        ::Sleep(100);
        found = FindFirstComponent("A|B|1", &id);
    }
    EXPECT_EQ(found, 0);
    EXPECT_EQ(id, 7u);
}

TEST_F(CommandLayer, ConfirmsThatContradictThemselvesFailInsteadOfOverrunningOrLooping)
{
    for (uint32_t id = 1; id <= 5; ++id)
        service.AddComponent(id, "c", "A|B|1");
    uint32_t ids[8];
    uint32_t listed = 0;

    // An entry count larger than the buffer can hold.
    service.spoil = [](uint8_t* block, uint8_t*) { PutWord(block, block::kEntryCount, 0x10000000); };
    EXPECT_EQ(ListComponents(nullptr, ids, 8, nullptr, &listed), 1);
    EXPECT_EQ(LastServiceStatus(), kStatusBadConfirm);

    // A name whose length runs past the buffer.
    service.spoil = [](uint8_t*, uint8_t* confirm) { PutWord(confirm, Word(confirm, 8), 0xFFFFFFF0); };
    EXPECT_EQ(ListComponents(nullptr, ids, 8, nullptr, &listed), 1);

    // "More data" with nothing in it, and a continuation that does not move on.
    service.spoil = [](uint8_t* block, uint8_t*) { PutWord(block, block::kEntryCount, 0); };
    service.batchSize = 2;
    EXPECT_EQ(ListComponents(nullptr, ids, 8, nullptr, &listed), 1);
    service.spoil = [](uint8_t*, uint8_t* confirm) { PutWord(confirm, 28, 2); };   // the last id stays 2
    EXPECT_EQ(ListComponents(nullptr, ids, 8, nullptr, &listed), 1);
    EXPECT_EQ(LastServiceStatus(), kStatusBadConfirm);
    // Continuations whose last id swings back and forth (2, 1, 2, 1, ...)
    // would go on for ever; here the swinging stops after a while.
    static int swings;
    swings = 0;
    service.spoil = [](uint8_t* block, uint8_t* confirm) {
        if (Word(block, block::kCommand) == kCmdListComponentsNext && ++swings < 20)
            PutWord(confirm, 28, swings % 2 ? 1 : 2);
    };
    EXPECT_EQ(ListComponents(nullptr, ids, 8, nullptr, &listed), 1);
    EXPECT_EQ(LastServiceStatus(), kStatusBadConfirm);

    // A value offset at the very end of the buffer.
    service.spoil = nullptr;
    service.SetInteger(1, 1, 1, 0, 11, 0);
    service.spoil = [](uint8_t*, uint8_t* confirm) { PutWord(confirm, 12, 2040); };
    char date[28];
    uint32_t length = 0, type = 0;
    EXPECT_EQ(GetAttribute(1, 1, 1, 0, date, sizeof date, &length, &type), 1);
}
