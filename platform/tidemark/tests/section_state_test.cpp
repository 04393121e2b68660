#include "platform/tidemark/section_state.h"

#include <gtest/gtest.h>

#include "platform/tidemark/tests/section_fixture.h"

using tidemark::kLayoutVersion;
using tidemark::kSectionMagic;
using tidemark::kSectionSize;

using TidemarkSection = SectionFixture;

TEST_F(TidemarkSection, FirstUseLoadsTheStoredConditionsAndDefaultsTheRest)
{
    WriteDword(0, "MemNtfPar", 55);
    WriteDword(0, "Watch", 0);
    WriteDword(0, "DskCycle", 15000);
    WriteDword('E', "CndPar", 25);
    WriteDword('E', "AcsErrNtf", 1);

    WatchAcs& acs = Acs();
    EXPECT_EQ(55ul, acs.GetMemNtfPar());
    EXPECT_EQ(0ul, acs.GetWatch());
    EXPECT_EQ(15000ul, acs.GetDskCycle());
    char e[] = "e:", c[] = "c:";
    EXPECT_EQ(25ul, acs.GetDskCndPar(e));
    EXPECT_EQ(1ul, acs.GetDskAcsErrNtf(e));
    // Not stored: the defaults of a fresh installation.
    EXPECT_EQ(10ul, acs.GetDskCndPar(c));
    EXPECT_EQ(0ul, acs.GetDskAcsErrNtf(c));
    EXPECT_EQ(1ul, acs.GetDskCapaNtf(c));
    EXPECT_EQ(1ul, acs.GetDlgNtf());
    EXPECT_EQ(0ul, acs.GetSmtCycle());
    EXPECT_EQ(1ul, acs.GetTempNtf());
}

TEST_F(TidemarkSection, StoredValuesOfTheWrongShapeOrRangeReadAsDefaults)
{
    WriteRaw(0, "MemNtfPar", REG_SZ, "55", 3);
    WriteDword(0, "Watch", 7);          // a switch is 0 or 1
    WriteDword(0, "PriCycle", 5);       // below the shortest period
    WriteDword(0, "HelCycle", 2000);    // fine
    const unsigned char eight[8] = {25, 0, 0, 0, 0, 0, 0, 0};
    WriteRaw('C', "CndPar", REG_BINARY, eight, sizeof eight);
    WriteDword('D', "CndPar", 0);       // a drive threshold is 1..100
    const unsigned char two[2] = {30, 0};
    WriteRaw('F', "CndPar", REG_DWORD, two, sizeof two);

    WatchAcs& acs = Acs();
    EXPECT_EQ(80ul, acs.GetMemNtfPar());
    EXPECT_EQ(1ul, acs.GetWatch());
    EXPECT_EQ(0ul, acs.GetPriCycle());
    EXPECT_EQ(2000ul, acs.GetHelCycle());
    char c[] = "c:", d[] = "d:", f[] = "f:";
    EXPECT_EQ(10ul, acs.GetDskCndPar(c));
    EXPECT_EQ(10ul, acs.GetDskCndPar(d));
    EXPECT_EQ(10ul, acs.GetDskCndPar(f));
}

TEST_F(TidemarkSection, ANewSectionReportsNothingMonitored)
{
    WatchAcs& acs = Acs();
    char c[] = "c:";
    EXPECT_EQ(2ul, acs.GetDskAlmLvl());
    EXPECT_EQ(2ul, acs.GetSmtAlmLvl());
    EXPECT_EQ(514ul, acs.GetMemErrCode());
    EXPECT_EQ(774ul, acs.GetPriErrCode());
    EXPECT_EQ(1025ul, acs.GetSmtErrCode());
    EXPECT_EQ(0x52Aul, acs.GetHelErrCode());
    EXPECT_EQ(260ul, acs.GetDskErrCode(c));
    EXPECT_EQ(GetCurrentThreadId(), acs.GetThreadID());
}

// A section whose identification words are not ours is filled again from the
// registry: none of its old words survives.
TEST_F(TidemarkSection, AStaleOrForeignSectionIsInitialisedAgain)
{
    WriteDword(0, "MemNtfPar", 42);
    uint32_t tidemark::WatchSectionLayout::*const words[] = {
        &tidemark::WatchSectionLayout::magic, &tidemark::WatchSectionLayout::version,
        &tidemark::WatchSectionLayout::size};
    const uint32_t strangers[] = {0x12345678, kLayoutVersion + 1, kSectionSize - 4};
    for (int i = 0; i < 3; ++i) {
        StartFreshSection();
        WatchAcs& acs = Acs();
        ASSERT_EQ(1ul, acs.SetMemErrCode(513));
        ASSERT_EQ(42ul, acs.GetMemNtfPar());

        section_.*words[i] = strangers[i];
        section_.memoryThreshold = 0xDEADBEEF;
        section_.errorDrive = 3;   // c:
        section_.drives[2].threshold = 0xDEADBEEF;

        char c[] = "c:", name[3] = "?";
        EXPECT_EQ(42ul, acs.GetMemNtfPar()) << i;
        EXPECT_EQ(514ul, acs.GetMemErrCode()) << i;
        EXPECT_EQ(10ul, acs.GetDskCndPar(c)) << i;
        EXPECT_EQ(0ul, acs.GetErrDrv(name)) << i;
        EXPECT_TRUE(tidemark::SectionIsCurrent(section_)) << i;
    }
}

TEST_F(TidemarkSection, ACurrentSectionIsNotReloaded)
{
    WriteDword(0, "MemNtfPar", 42);
    WatchAcs& acs = Acs();
    ASSERT_EQ(42ul, acs.GetMemNtfPar());
    acs.SetMemErrCode(513);
    WriteDword(0, "MemNtfPar", 43);
    EXPECT_EQ(42ul, acs.GetMemNtfPar());
    EXPECT_EQ(513ul, acs.GetMemErrCode());
}

TEST_F(TidemarkSection, AlarmLevelsOutsideZeroToTwoAreRefused)
{
    WatchAcs& acs = Acs();
    EXPECT_EQ(1ul, acs.SetDskAlmLvl(1));
    EXPECT_EQ(0ul, acs.SetDskAlmLvl(3));
    EXPECT_EQ(0ul, acs.SetSmtAlmLvl(0xFFFFFFFF));
    EXPECT_EQ(1ul, acs.GetDskAlmLvl());
    EXPECT_EQ(2ul, acs.GetSmtAlmLvl());
}

TEST_F(TidemarkSection, DriveMembersIgnoreNamesThatAreNoDrive)
{
    WatchAcs& acs = Acs();
    char upper[] = "E:", root[] = "e:\\", bad[] = "1:";
    EXPECT_EQ(1ul, acs.SetDskErrCode(upper, 257));
    EXPECT_EQ(257ul, acs.GetDskErrCode(root));
    for (char* name : {bad, static_cast<char*>(nullptr)}) {
        EXPECT_EQ(0ul, acs.SetDskErrCode(name, 261));
        EXPECT_EQ(0ul, acs.GetDskErrCode(name));
        EXPECT_EQ(0ul, acs.SetErrDrv(name));
    }
}

TEST_F(TidemarkSection, ADriveWordWrittenByAnotherProgramNamesNoDrive)
{
    WatchAcs& acs = Acs();
    char e[] = "e:", name[3] = "?";
    ASSERT_EQ(1ul, acs.SetErrDrv(e));
    ASSERT_EQ(1ul, acs.GetErrDrv(name));
    EXPECT_STREQ("e:", name);
    section_.errorDrive = 27;
    name[0] = '?';
    EXPECT_EQ(0ul, acs.GetErrDrv(name));
    EXPECT_EQ('?', name[0]);
}
