#include "platform/tidemark/drive_names.h"

#include <gtest/gtest.h>

#include <cstring>

#include "platform/tidemark/system_facts.h"
#include "platform/tidemark/tests/section_fixture.h"

using namespace tidemark;

TEST(TidemarkDriveNames, ALetterAndAColonNameADrive)
{
    EXPECT_EQ(2, DriveIndexOf("c:"));
    EXPECT_EQ(25, DriveIndexOf("Z:\\WINDOWS"));
    for (const char* bad : {"c", "", "1:", ":c", "@:", "[:", "\x82\xa0", "\xc3:"})
        EXPECT_EQ(-1, DriveIndexOf(bad)) << bad;
    EXPECT_EQ(-1, DriveIndexOf(nullptr));
}

TEST(TidemarkDriveNames, OnlyFixedDrivesThatExistAreListedInLetterOrder)
{
    unsigned types[kMaxDrives] = {};
    types[0] = 2;                 // a: removable
    types[2] = kDriveTypeFixed;   // c:
    types[3] = 5;                 // d: CD-ROM
    types[4] = kDriveTypeFixed;   // e: fixed, but not in the mask
    types[6] = 4;                 // g: network
    types[25] = kDriveTypeFixed;  // z:
    const uint32_t mask = (1u << 0) | (1u << 2) | (1u << 3) | (1u << 6) | (1u << 25);
    DriveList list = SelectFixedDrives(mask, types);
    ASSERT_EQ(2, list.count);
    EXPECT_EQ(2, list.index[0]);
    EXPECT_EQ(25, list.index[1]);
}

TEST(TidemarkDriveNames, SwapInUseNeverWrapsAround)
{
    const uint64_t mb = 1024 * 1024;
    SwapFigures figures = SwapFiguresFrom(512 * mb, 412 * mb);
    EXPECT_EQ(512u, figures.totalMb);
    EXPECT_EQ(100u, figures.usedMb);
    figures = SwapFiguresFrom(256 * mb, 300 * mb);
    EXPECT_EQ(256u, figures.totalMb);
    EXPECT_EQ(0u, figures.usedMb);
}

using TidemarkDriveList = SectionFixture;

// The desk's C: is a fixed drive.
TEST_F(TidemarkDriveList, ThePcsFixedDrivesComeAsThreeByteEntries)
{
    char buffer[100];
    std::memset(buffer, '#', sizeof buffer);
    const int count = Acs().GetDrvList(1, buffer);
    ASSERT_GE(count, 1);
    ASSERT_LE(count, kMaxDrives);
    bool sawC = false;
    for (int i = 0; i < count; ++i) {
        char* entry = buffer + 3 * i;
        EXPECT_EQ(':', entry[1]);
        EXPECT_EQ('\0', entry[2]);
        EXPECT_EQ(3ul, Acs().GetDskExist(entry)) << entry;
        sawC = sawC || std::strcmp(entry, "c:") == 0;
    }
    EXPECT_TRUE(sawC);
    EXPECT_EQ('#', buffer[3 * count]);

    // Other kinds list nothing.
    std::memset(buffer, '#', sizeof buffer);
    EXPECT_EQ(0, Acs().GetDrvList(2, buffer));
    EXPECT_EQ(0, Acs().GetDrvList(1, nullptr));
    EXPECT_EQ('#', buffer[0]);
}
