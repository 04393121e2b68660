#include "platform/tidemark/health_code.h"

#include <gtest/gtest.h>

#include "platform/tidemark/tests/section_fixture.h"

using tidemark::HealthCodeOf;
using tidemark::MergeHealthCode;

namespace {

// The groups after applying codes in order, starting from `groups`.
uint32_t Apply(uint32_t groups, std::initializer_list<unsigned long> codes)
{
    for (unsigned long code : codes) {
        uint32_t merged = 0xFFFF;
        EXPECT_TRUE(MergeHealthCode(groups, code, &merged)) << std::hex << code;
        groups = merged;
    }
    return groups;
}

}  // namespace

TEST(TidemarkHealthCode, ZeroAndTheBareBaseClearEveryGroup)
{
    EXPECT_EQ(0u, Apply(0x3F, {0}));
    EXPECT_EQ(0u, Apply(0x2A, {0x500}));
}

TEST(TidemarkHealthCode, ACodeReplacesOnlyTheGroupItNames)
{
    // All three cannot be monitored; then each group gets a new state alone.
    EXPECT_EQ(0x3Du, Apply(0x3F, {0x501}));          // temperature abnormal
    EXPECT_EQ(0x39u, Apply(0x3F, {0x501, 0x508}));   // fan not monitored
    EXPECT_EQ(0x19u, Apply(0x3F, {0x501, 0x508, 0x510}));
    // Replacing, not adding: abnormal (1) then cannot monitor (3) then not monitored (2).
    EXPECT_EQ(0x20u, Apply(0, {0x510, 0x530, 0x520}));
}

TEST(TidemarkHealthCode, ClearingCodesClearOneGroupEach)
{
    EXPECT_EQ(0x3Cu, Apply(0x3F, {0x540}));
    EXPECT_EQ(0x33u, Apply(0x3F, {0x580}));
    EXPECT_EQ(0x0Fu, Apply(0x3F, {0x5C0}));
}

TEST(TidemarkHealthCode, ACodeNamingSeveralGroupsReplacesEachOfThem)
{
    EXPECT_EQ(0x25u, Apply(0x2A, {0x505}));   // temperature and fan abnormal, voltage kept
}

TEST(TidemarkHealthCode, CodesOutsideTheHealthRangeAreRefused)
{
    for (unsigned long code : {0x001ul, 0x4FFul, 0x600ul, 0x1501ul, 0x541ul, 0x5FFul, 0x5C3ul}) {
        uint32_t merged = 0x77;
        EXPECT_FALSE(MergeHealthCode(0x2A, code, &merged)) << std::hex << code;
        EXPECT_EQ(0x77u, merged) << std::hex << code;
    }
}

TEST(TidemarkHealthCode, StrayBitsInTheStoredGroupsNeverReachTheCode)
{
    EXPECT_EQ(0x52Aul, HealthCodeOf(0xFFFFFF2A));
}

using TidemarkHealthMembers = SectionFixture;

// The sequences the health thread writes, through the members.
TEST_F(TidemarkHealthMembers, WatcherSequencesGiveTheCodesItExpects)
{
    WatchAcs& acs = Acs();
    EXPECT_EQ(1ul, acs.SetHelErrCode(0));
    EXPECT_EQ(0x500ul, acs.GetHelErrCode());
    // The driver cannot be read: all three cannot be monitored.
    acs.SetHelErrCode(0x503);
    acs.SetHelErrCode(0x50C);
    acs.SetHelErrCode(0x530);
    EXPECT_EQ(0x53Ful, acs.GetHelErrCode());
    // A check: temperature in alarm, fan and voltage fine.
    acs.SetHelErrCode(0x501);
    acs.SetHelErrCode(0x580);
    acs.SetHelErrCode(0x5C0);
    EXPECT_EQ(0x501ul, acs.GetHelErrCode());
    // Stop: nothing monitored.
    acs.SetHelErrCode(0x502);
    acs.SetHelErrCode(0x508);
    acs.SetHelErrCode(0x520);
    EXPECT_EQ(0x52Aul, acs.GetHelErrCode());
}

TEST_F(TidemarkHealthMembers, ARefusedCodeLeavesTheStoredCode)
{
    WatchAcs& acs = Acs();
    acs.SetHelErrCode(0x504);
    EXPECT_EQ(0ul, acs.SetHelErrCode(0x401));
    EXPECT_EQ(0ul, acs.SetHelErrCode(0x5C1));
    EXPECT_EQ(0x526ul, acs.GetHelErrCode());   // from the initial 0x52A, fan abnormal
}
