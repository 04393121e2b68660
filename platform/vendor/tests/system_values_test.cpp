// What the vendor component makes of the system's answers: the figures it
// computes from them, and the values it reads from the desk's Windows.
#include <windows.h>

#include <algorithm>
#include <set>
#include <string>

#include "common/dmi_types.h"
#include "platform/vendor/attribute_catalogue.h"
#include "platform/vendor/drives.h"
#include "platform/vendor/input_settings.h"
#include "platform/vendor/printers.h"
#include "platform/vendor/swap_space.h"
#include "platform/vendor/tests/vendor_test_profile.h"

TEST(VendorSwap, AvailableAtOrAboveTotalMeansNothingUsed)
{
    // What Windows 9x and Wine report: more available than there is.
    vendor::SwapFigures figures = vendor::SwapFromPageFile(4294443007u, 4294967295u);
    EXPECT_EQ(figures.totalKB, 4193791);
    EXPECT_EQ(figures.freeKB, figures.totalKB);
    figures = vendor::SwapFromPageFile(1 << 30, 1 << 30);
    EXPECT_EQ(figures.freeKB, figures.totalKB);
    figures = vendor::SwapFromPageFile(1 << 30, 1 << 28);
    EXPECT_EQ(figures.totalKB, 1048576);
    EXPECT_EQ(figures.freeKB, 262144);
}

TEST(VendorDrives, CapacitiesAreMultipliedIn64BitsAndClampedToTheIntegerType)
{
    // A 4 TB volume: its cluster count times its cluster size needs more than 32 bits.
    EXPECT_EQ(vendor::KilobytesOfClusters(0xFFFFFFFFu, 64, 512), 0xFFFFFFFFull * 32);
    EXPECT_EQ(vendor::KilobytesOfClusters(65535, 64, 512), 2097120u) << "Windows 9x's 2 GB answer";
    EXPECT_EQ(vendor::KilobytesOfClusters(0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu), UINT64_MAX / 1024);
    EXPECT_EQ(vendor::IntegerValue(0xFFFFFFFFll * 32).integer, 0x7FFFFFFFu);
}

TEST(VendorInput, PointerSpeedsFallOnTheSevenSliderSteps)
{
    EXPECT_EQ(vendor::PointerStepFromSpeed(1), 0);
    EXPECT_EQ(vendor::PointerStepFromSpeed(10), 3) << "the default is the middle step";
    EXPECT_EQ(vendor::PointerStepFromSpeed(20), 6);
    EXPECT_EQ(vendor::PointerStepFromSpeed(0), -1) << "what Wine stores after a set";
    EXPECT_EQ(vendor::PointerStepFromSpeed(21), -1);
    std::set<int> steps;
    for (int speed = 1; speed <= 20; speed++) {
        const int step = vendor::PointerStepFromSpeed(speed);
        EXPECT_GE(step, speed > 1 ? vendor::PointerStepFromSpeed(speed - 1) : 0);
        steps.insert(step);
    }
    EXPECT_EQ(steps.size(), 7u);

    EXPECT_EQ(vendor::PointerStepFromAcceleration(0, 0, 0), 0);
    EXPECT_EQ(vendor::PointerStepFromAcceleration(6, 10, 1), 3) << "Wine's settings, the middle step";
    EXPECT_EQ(vendor::PointerStepFromAcceleration(4, 6, 2), 6);
}

TEST(VendorPrinters, SettingsAreWordedAsTheControlPanelWordsThem)
{
    EXPECT_EQ(vendor::PrintResolutionText(true, 600, true, 1200), "600 x 1200 dpi");
    EXPECT_EQ(vendor::PrintResolutionText(true, 300, false, 1200), "300 x 300 dpi");
    EXPECT_EQ(vendor::PrintResolutionText(true, DMRES_HIGH, true, 600), "高");
    EXPECT_EQ(vendor::PrintResolutionText(true, -7, true, 600), "");
    EXPECT_EQ(vendor::PaperSizeText(true, DMPAPER_JAPANESE_POSTCARD, false, 0, 0), "はがき");
    EXPECT_EQ(vendor::PaperSizeText(true, 300, true, 2970, 2100), "210 x 297 mm");
    EXPECT_EQ(vendor::PaperSizeText(true, 300, false, 2970, 2100), "");
    EXPECT_EQ(vendor::PrinterNameOfDeviceEntry("表計算ﾌﾟﾘﾝﾀ,winspool,LPT1:"), "表計算ﾌﾟﾘﾝﾀ");
}

// The desk's own Windows, with an empty [Vendor] section.
TEST_F(VendorProfileTest, DeskValuesHaveTheirTypesAndHangTogether)
{
    size_t count = 0;
    const vendor::GroupSpec* groups = vendor::AllGroups(&count);
    for (size_t g = 0; g < count; g++) {
        const std::vector<uint32_t> rows =
            groups[g].table ? vendor::RowKeys(groups[g].id) : std::vector<uint32_t>{0};
        if (rows.empty())
            continue;  // printers, boards and modems: the desk has none
        for (size_t a = 0; a < groups[g].attributeCount; a++) {
            const vendor::AttributeSpec& attribute = groups[g].attributes[a];
            EXPECT_EQ(Get(groups[g].id, attribute.id, rows.front()).type, attribute.type)
                << "group " << groups[g].id << " attribute " << attribute.id;
        }
    }

    EXPECT_LE(Get(6, 2, 0).integer, Get(6, 1, 0).integer) << "free swap within the total";
    EXPECT_LE(Get(10, 1, 0).integer, 3u);
    EXPECT_LE(Get(10, 2, 0).integer, 31u);
    EXPECT_LE(Get(11, 1, 0).integer, 6u);

    // Drives are keyed by their number and carry their letter; C: is a hard disk.
    for (uint32_t key : vendor::RowKeys(18))
        EXPECT_EQ(Get(18, 2, key).text, std::string(1, static_cast<char>('A' + key - 1)));
    EXPECT_TRUE(GetLogicalDrives() & 4);
    EXPECT_EQ(Get(18, 7, 3).text, "1");
    EXPECT_GT(Get(18, 3, 3).integer, 0u);
    EXPECT_LE(Get(18, 4, 3).integer, Get(18, 3, 3).integer);
    // The volume's real size, not the 2 GB at most that the cluster counts
    // give on Windows 95/98.
    ULARGE_INTEGER available = {}, totalBytes = {}, freeBytes = {};
    ASSERT_TRUE(GetDiskFreeSpaceExA("C:\\", &available, &totalBytes, &freeBytes));
    const uint64_t totalKB = totalBytes.QuadPart / 1024;
    EXPECT_EQ(Get(18, 3, 3).integer, totalKB < INT32_MAX ? totalKB : uint64_t{INT32_MAX});
    EXPECT_EQ(Try(18, 2, 2), GetLogicalDrives() & 2 ? vendor::Result::Ok : vendor::Result::NoSuchRow);

    // Each supported mode once; the current depth is one of theirs.
    std::set<std::string> modes, depths;
    for (uint32_t key : vendor::RowKeys(9)) {
        const std::string resolution = Get(9, 2, key).text;
        EXPECT_EQ(std::count(resolution.begin(), resolution.end(), ','), 1) << resolution;
        EXPECT_TRUE(modes.insert(resolution + "/" + Get(9, 3, key).text).second) << resolution;
        depths.insert(Get(9, 3, key).text);
    }
    EXPECT_EQ(depths.count(Get(7, 2, 0).text), 1u) << Get(7, 2, 0).text;
    EXPECT_FALSE(Get(8, 1, 0).text.empty()) << "the video driver names its chip";
}
