#include "platform/tidemark/watcher_attributes.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>

#include "platform/tidemark/condition_store.h"
#include "platform/tidemark/tests/section_fixture.h"

using namespace tidemark;

namespace {

class TidemarkAttributes : public SectionFixture {
protected:
    unsigned long Get(unsigned long group, unsigned long attribute, unsigned long key, uint32_t* value)
    {
        unsigned long length = sizeof *value;
        return GetWatcherAttribute(Acs(), facts_, group, attribute, key, value, &length, nullptr);
    }

    uint32_t GetOk(unsigned long group, unsigned long attribute, unsigned long key = 0)
    {
        uint32_t value = 0xCDCDCDCD;
        EXPECT_EQ(kAttributeOk, Get(group, attribute, key, &value)) << group << "," << attribute << "," << key;
        return value;
    }

    unsigned long Set(unsigned long group, unsigned long attribute, unsigned long key, uint32_t value)
    {
        return SetWatcherAttribute(Acs(), facts_, group, attribute, key, &value, sizeof value, kIntegerKind);
    }

    SystemFacts facts_ = SampleFacts();
};

struct ConditionPair {
    unsigned long group, attribute, key;
    const char* valueName;
    char drive;   // registry subkey of a per-drive condition
    uint32_t written;
    std::function<unsigned long(WatchAcs&)> member;
};

// Every condition the viewer writes, with the member that the watcher reads
// it by (drive rows: key 2 is e: in the sample facts).
const ConditionPair kConditionPairs[] = {
    {1, 1, 0, "Watch", 0, 0, [](WatchAcs& a) { return a.GetWatch(); }},
    {1, 2, 0, "DlgNtf", 0, 0, [](WatchAcs& a) { return a.GetDlgNtf(); }},
    {2, 3, 2, "CapaNtf", 'E', 0, [](WatchAcs& a) { char d[] = "e:"; return a.GetDskCapaNtf(d); }},
    {2, 4, 2, "CndPar", 'E', 37, [](WatchAcs& a) { char d[] = "e:"; return a.GetDskCndPar(d); }},
    {2, 6, 2, "AcsErrNtf", 'E', 1, [](WatchAcs& a) { char d[] = "e:"; return a.GetDskAcsErrNtf(d); }},
    {3, 1, 0, "MemNtfCnd", 0, 0, [](WatchAcs& a) { return a.GetMemNtfCnd(); }},
    {3, 2, 0, "MemNtfPar", 0, 0, [](WatchAcs& a) { return a.GetMemNtfPar(); }},
    {4, 1, 0, "PriComplete", 0, 0, [](WatchAcs& a) { return a.GetPriComplete(); }},
    {4, 2, 0, "PriPaper", 0, 0, [](WatchAcs& a) { return a.GetPriPaper(); }},
    {4, 3, 0, "PriOffline", 0, 0, [](WatchAcs& a) { return a.GetPriOffline(); }},
    {8, 1, 0, "TempNtf", 0, 0, [](WatchAcs& a) { return a.GetTempNtf(); }},
    {8, 2, 0, "FanNtf", 0, 0, [](WatchAcs& a) { return a.GetFanNtf(); }},
    {8, 3, 0, "VoltNtf", 0, 0, [](WatchAcs& a) { return a.GetVoltNtf(); }},
};

TEST_F(TidemarkAttributes, AConditionWrittenByTheViewerIsWhatTheWatcherReadsAndIsKept)
{
    for (const ConditionPair& pair : kConditionPairs) {
        SCOPED_TRACE(std::to_string(pair.group) + "," + std::to_string(pair.attribute));
        const uint32_t before = static_cast<uint32_t>(pair.member(Acs()));
        ASSERT_NE(pair.written, before) << "the value written must differ from the default";
        EXPECT_EQ(kAttributeOk, Set(pair.group, pair.attribute, pair.key, pair.written));
        EXPECT_EQ(pair.written, pair.member(Acs()));
        EXPECT_EQ(pair.written, GetOk(pair.group, pair.attribute, pair.key));
        DWORD stored = 0xFFFF;
        EXPECT_TRUE(ReadDword(pair.drive, pair.valueName, &stored));
        EXPECT_EQ(pair.written, stored);
    }
    // Other drives keep their own values.
    char c[] = "c:";
    EXPECT_EQ(10ul, Acs().GetDskCndPar(c));
    DWORD stored = 0;
    EXPECT_FALSE(ReadDword('C', "CndPar", &stored));
    // A fresh section (the next session) loads what was written.
    StartFreshSection();
    for (const ConditionPair& pair : kConditionPairs)
        EXPECT_EQ(pair.written, pair.member(Acs())) << pair.group << "," << pair.attribute;
}

TEST_F(TidemarkAttributes, StateWrittenByTheWatcherIsWhatTheViewerReads)
{
    WatchAcs& acs = Acs();
    char e[] = "e:";
    acs.SetMemErrCode(513);
    acs.SetPriErrCode(773);
    acs.SetSmtErrCode(1043);
    acs.SetHelErrCode(0);
    acs.SetHelErrCode(0x503);
    acs.SetDskErrCode(e, 257);
    EXPECT_EQ(513u, GetOk(3, 5));
    EXPECT_EQ(773u, GetOk(4, 5));
    EXPECT_EQ(1043u, GetOk(6, 1));
    EXPECT_EQ(0x503u, GetOk(8, 4));
    EXPECT_EQ(257u, GetOk(2, 8, 2));
    EXPECT_EQ(260u, GetOk(2, 8, 1));
}

// Another program wrote condition words out of their range into a section
// that is otherwise ours: the watcher and the viewer both get the defaults.
TEST_F(TidemarkAttributes, ConditionWordsOutOfRangeInTheSectionReadAsTheirDefaults)
{
    WatchAcs& acs = Acs();
    ASSERT_EQ(kAttributeOk, Set(2, 4, 2, 37));
    section_.watch = 7;
    section_.soundNotify = 2;
    section_.cycle[kDisk] = 5;            // a 5 ms period would spin the disk thread
    section_.memoryThreshold = 0xDEADBEEF;
    section_.drives[4].threshold = 0;     // e:
    section_.drives[4].accessErrorNotify = 3;
    char e[] = "e:";
    EXPECT_EQ(1ul, acs.GetWatch());
    EXPECT_EQ(0ul, acs.GetDskCycle());
    EXPECT_EQ(80ul, acs.GetMemNtfPar());
    EXPECT_EQ(10ul, acs.GetDskCndPar(e));
    EXPECT_EQ(0ul, acs.GetDskAcsErrNtf(e));
    EXPECT_EQ(1u, GetOk(1, 1));
    EXPECT_EQ(0u, GetOk(1, 3));
    EXPECT_EQ(80u, GetOk(3, 2));
    EXPECT_EQ(10u, GetOk(2, 4, 2));
    EXPECT_EQ(0u, GetOk(2, 6, 2));
    // Words in range are read as they are.
    section_.cycle[kDisk] = 15000;
    EXPECT_EQ(15000ul, acs.GetDskCycle());
}

TEST_F(TidemarkAttributes, ValuesNoMemberHolds)
{
    // The sound switch: a condition of its own, kept like the others.
    EXPECT_EQ(0u, GetOk(1, 3));
    EXPECT_EQ(kAttributeOk, Set(1, 3, 0, 1));
    EXPECT_EQ(1u, GetOk(1, 3));
    DWORD stored = 0;
    EXPECT_TRUE(ReadDword(0, "SoundNtf", &stored));
    EXPECT_EQ(1u, stored);
    // Swap size and use, from the system figures.
    EXPECT_EQ(512u, GetOk(3, 3));
    EXPECT_EQ(100u, GetOk(3, 4));
    // The drive table's key attribute.
    EXPECT_EQ(2u, GetOk(2, 1, 2));
}

TEST_F(TidemarkAttributes, KeysOutsideTheTableOrOnAScalarGroupNameNoRow)
{
    uint32_t value = 0xABABABAB;
    EXPECT_EQ(kAttributeNoRow, Get(2, 3, 0, &value));
    EXPECT_EQ(kAttributeNoRow, Get(2, 3, 3, &value));
    EXPECT_EQ(kAttributeNoRow, Get(3, 1, 1, &value));
    EXPECT_EQ(0xABABABABu, value);
    // The viewer's writes without a key cannot tell which drive they are for.
    EXPECT_EQ(kAttributeNoRow, Set(2, 3, 0, 0));
    EXPECT_EQ(kAttributeNoRow, Set(2, 4, 27, 50));
    EXPECT_EQ(kAttributeNoRow, Set(1, 1, 5, 0));
    EXPECT_EQ(1ul, Acs().GetWatch());
}

TEST_F(TidemarkAttributes, UnknownPairsFailAndLeaveTheBufferAlone)
{
    const unsigned long pairs[][2] = {{0, 0}, {1, 4}, {2, 5}, {2, 7}, {3, 6}, {4, 4}, {5, 1}, {6, 2}, {7, 1},
                                      {8, 5}, {9, 1}, {32524, 1}};
    for (const auto& pair : pairs) {
        unsigned char buffer[8];
        std::memset(buffer, 0xAB, sizeof buffer);
        unsigned long length = sizeof buffer, type = 77;
        EXPECT_EQ(kAttributeUnknown, GetWatcherAttribute(Acs(), facts_, pair[0], pair[1], 0, buffer, &length, &type));
        EXPECT_EQ(sizeof buffer, length);
        EXPECT_EQ(77ul, type);
        for (unsigned char byte : buffer)
            EXPECT_EQ(0xAB, byte);
        EXPECT_EQ(kAttributeUnknown, Set(pair[0], pair[1], 0, 1));
    }
}

TEST_F(TidemarkAttributes, ABufferTooSmallGetsTheLengthNeededAndNothingElse)
{
    unsigned char buffer[4] = {0xAB, 0xAB, 0xAB, 0xAB};
    unsigned long length = 3;
    EXPECT_EQ(kAttributeBufferTooSmall, GetWatcherAttribute(Acs(), facts_, 3, 2, 0, buffer, &length, nullptr));
    EXPECT_EQ(4ul, length);
    length = 1;
    EXPECT_EQ(kAttributeBufferTooSmall, GetWatcherAttribute(Acs(), facts_, 2, 2, 1, buffer, &length, nullptr));
    EXPECT_EQ(2ul, length);
    for (unsigned char byte : buffer)
        EXPECT_EQ(0xAB, byte);
    // Asking for the length with no buffer at all.
    length = 0;
    EXPECT_EQ(kAttributeBufferTooSmall, GetWatcherAttribute(Acs(), facts_, 2, 2, 1, nullptr, &length, nullptr));
    EXPECT_EQ(2ul, length);
    EXPECT_EQ(kAttributeBadArgument, GetWatcherAttribute(Acs(), facts_, 3, 2, 0, buffer, nullptr, nullptr));
}

TEST_F(TidemarkAttributes, StateAndSystemFiguresCannotBeWritten)
{
    Acs().SetMemErrCode(513);
    for (const auto& pair : {std::make_pair(3ul, 5ul), std::make_pair(4ul, 5ul), std::make_pair(6ul, 1ul),
                             std::make_pair(8ul, 4ul), std::make_pair(3ul, 3ul), std::make_pair(3ul, 4ul)})
        EXPECT_EQ(kAttributeReadOnly, Set(pair.first, pair.second, 0, 0));
    EXPECT_EQ(kAttributeReadOnly, Set(2, 8, 1, 0));
    EXPECT_EQ(kAttributeReadOnly, Set(2, 2, 1, 0));
    EXPECT_EQ(513ul, Acs().GetMemErrCode());
}

TEST_F(TidemarkAttributes, ValuesOutsideTheDialogsRangesAreRefusedAndNotKept)
{
    EXPECT_EQ(kAttributeBadValue, Set(2, 4, 1, 0));
    EXPECT_EQ(kAttributeBadValue, Set(2, 4, 1, 101));
    EXPECT_EQ(kAttributeBadValue, Set(3, 2, 0, 101));
    EXPECT_EQ(kAttributeBadValue, Set(1, 1, 0, 2));
    EXPECT_EQ(kAttributeOk, Set(3, 2, 0, 0));   // 0 % swap is a valid threshold
    EXPECT_EQ(kAttributeOk, Set(2, 4, 1, 100));
    char c[] = "c:";
    EXPECT_EQ(100ul, Acs().GetDskCndPar(c));
    EXPECT_EQ(1ul, Acs().GetWatch());
    DWORD stored = 0;
    EXPECT_FALSE(ReadDword(0, "Watch", &stored));
}

TEST_F(TidemarkAttributes, OnlyFourByteIntegersCanBeWritten)
{
    uint32_t one = 1;
    EXPECT_EQ(kAttributeBadArgument, SetWatcherAttribute(Acs(), facts_, 1, 3, 0, &one, 4, 2));
    EXPECT_EQ(kAttributeBadArgument, SetWatcherAttribute(Acs(), facts_, 1, 3, 0, &one, 2, kIntegerKind));
    EXPECT_EQ(0u, GetOk(1, 3));
}

TEST_F(TidemarkAttributes, AConditionTheRegistryRefusesIsNotTakenEither)
{
    Acs().GetWatch();   // the section is loaded
    const std::string tooLong(ConditionStore::kMaxKeyPath + 10, 'k');
    UseConditionStore(HKEY_CURRENT_USER, tooLong.c_str());
    EXPECT_EQ(kAttributeNotStored, Set(1, 1, 0, 0));
    EXPECT_EQ(1ul, Acs().GetWatch());
}

// Row k's name is the k-th entry of GetDrvList: a display string, with a
// terminator when there is room for one.
TEST_F(TidemarkAttributes, TheRealDriveListAndTheDriveRowsAgree)
{
    char list[100];
    const int count = Acs().GetDrvList(1, list);
    const SystemFacts now = CurrentSystemFacts();
    ASSERT_EQ(count, now.drives.count);
    for (int k = 1; k <= count; ++k) {
        char name[8];
        std::memset(name, '#', sizeof name);
        unsigned long length = sizeof name, type = 0;
        ASSERT_EQ(kAttributeOk, GetWatcherAttribute(Acs(), now, 2, 2, k, name, &length, &type));
        EXPECT_EQ(2ul, length);
        EXPECT_EQ(kDmiDisplayString, type);
        EXPECT_STREQ(list + 3 * (k - 1), name);
    }
}

}  // namespace
