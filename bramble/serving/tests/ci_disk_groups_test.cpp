// The disk groups over drives, identify blocks and geometries handed in
// through the disk sources, walked with two keys as the service layer does.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>

#include "bramble/serving/ci_entry_points.h"
#include "bramble/serving/tests/answer_values.h"
#include "bramble/serving/ci_groups.h"

#include <winioctl.h>

using namespace bramble;
using namespace answer;
using namespace bramble::ci;

namespace {

std::map<char, UINT> g_drives;
std::map<char, uint32_t> g_floppyKB;      // a floppy missing here cannot be read
std::map<unsigned, unsigned> g_ideHeads;  // IDE drive number -> heads (cylinders 1000, 63 sectors)
bool g_geometryReadable = true;
int g_walks = 0;

UINT DriveType(const char* root)
{
    if (root[0] == 'A') ++g_walks;
    auto it = g_drives.find(root[0]);
    return it == g_drives.end() ? DRIVE_NO_ROOT_DIR : it->second;
}

bool FloppyKB(const char* root, uint32_t* kb)
{
    auto it = g_floppyKB.find(root[0]);
    if (it == g_floppyKB.end()) return false;
    *kb = it->second;
    return true;
}

bool Identify(unsigned drive, unsigned char* block)
{
    auto it = g_ideHeads.find(drive);
    if (it == g_ideHeads.end()) return false;
    std::memset(block, 0, 512);
    const uint16_t words[] = {0x40, 1000, 0, static_cast<uint16_t>(it->second), 0, 0, 63};
    std::memcpy(block, words, sizeof words);
    return true;
}

bool DiskRequest(unsigned drive, uint32_t* total)
{
    if (!g_ideHeads.count(drive)) return false;
    *total = 1000u * g_ideHeads[drive] * 63u;
    return true;
}

bool Geometry(unsigned disk, PhysicalGeometry* out)
{
    if (!g_geometryReadable || disk > 0) return false;
    out->cylinders = 500;  // the translated geometry differs from the drive's own
    out->heads = 32;
    out->sectorsPerTrack = 63;
    return true;
}

struct Keys {
    uint32_t values[3];
    KeyEntry entries[3];
    Keys(uint32_t a, uint32_t b) : values{a, b, 0}
    {
        for (int i = 0; i < 3; ++i) entries[i] = KeyEntry{static_cast<ULONG>(i + 1), 5, &values[i]};
    }
};

// Attribute `attribute` of the row with keys (a, b), or -1 when null.
int32_t Value(ULONG group, ULONG attribute, uint32_t a, uint32_t b)
{
    Keys k(a, b);
    const AttributeResult* r = CiGetAttribute(0, group, attribute, 2, k.entries);
    return r ? Integer(r) : -1;
}

class DiskGroups : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_drives = {{'A', DRIVE_REMOVABLE}, {'B', DRIVE_REMOVABLE}, {'C', DRIVE_FIXED},
                    {'D', DRIVE_FIXED},     {'E', DRIVE_CDROM},     {'Z', DRIVE_REMOTE}};
        g_floppyKB = {{'A', 1423}};
        g_ideHeads = {{0, 16}, {2, 15}};
        g_geometryReadable = true;
        DiskSources sources;
        sources.driveType = DriveType;
        sources.floppyCapacityKB = FloppyKB;
        sources.ideIdentify = Identify;
        sources.diskRequest = DiskRequest;
        sources.physicalGeometry = Geometry;
        SetDiskSources(sources);
        SetMainWindow(nullptr);
        InvalidateCaches();
    }
    void TearDown() override { SetDiskSources(DiskSources()); }
};

TEST_F(DiskGroups, FloppiesThenIdeDisksWithTheirGeometries)
{
    // A: 1.44 MB floppy; B: unreadable, so its capacity counts as 0 (9 sectors).
    Keys a(4, 1);
    const AttributeResult* r = CiGetAttribute(0, 23, 4, 2, a.entries);
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(Text(r), "Floppy Disk Interface");
    EXPECT_EQ(Value(23, 11, 4, 1), 18);
    EXPECT_EQ(Value(23, 10, 4, 1), 80);
    EXPECT_EQ(Value(23, 12, 4, 1), 2);
    EXPECT_EQ(Value(23, 16, 4, 1), 1440);
    EXPECT_EQ(Value(23, 5, 4, 1), 1);
    EXPECT_EQ(Value(23, 11, 4, 2), 9);
    EXPECT_EQ(Value(23, 5, 4, 2), 0);

    // The first IDE disk: its translated geometry, the drive's own as physical values.
    Keys c(3, 1);
    r = CiGetAttribute(0, 23, 4, 2, c.entries);
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(Text(r), "Enhanced ATA/IDE Interface");
    EXPECT_EQ(Value(23, 10, 3, 1), 500);
    EXPECT_EQ(Value(23, 12, 3, 1), 32);
    EXPECT_EQ(Value(23, 9, 3, 1), 1000);
    EXPECT_EQ(Value(23, 14, 3, 1), 16);
    EXPECT_EQ(Value(23, 16, 3, 1), 1000 * 16 * 63 / 2);
    EXPECT_EQ(Value(23, 7, 3, 1), 0);
    // The second has no readable geometry: the drive's own stands in.
    EXPECT_EQ(Value(23, 10, 3, 2), 1000);
    EXPECT_EQ(Value(23, 12, 3, 2), 15);
    EXPECT_EQ(Value(23, 7, 3, 2), 2);
    EXPECT_EQ(Value(23, 15, 3, 2), 512);

    // Both keys must match; one key alone names no row of a two-key group.
    EXPECT_EQ(Value(23, 12, 3, 3), -1);
    Keys one(3, 1);
    EXPECT_EQ(CiGetAttribute(0, 23, 12, 1, one.entries), nullptr);
}

TEST_F(DiskGroups, TwoKeyWalksFollowTheirKeyAttributes)
{
    // Group 23 walks by attribute 1 (storage type) and 2 (storage index).
    struct Pair {
        uint32_t type, index;
    };
    const Pair expected[] = {{4, 1}, {4, 2}, {3, 1}, {3, 2}};
    for (size_t i = 0; i + 1 < sizeof expected / sizeof expected[0]; ++i) {
        Keys k(expected[i].type, expected[i].index);
        const AttributeResult* type = CiGetNextAttribute(0, 23, 1, 2, k.entries);
        ASSERT_NE(type, nullptr) << i;
        EXPECT_EQ(static_cast<uint32_t>(Integer(type)), expected[i + 1].type);
        const AttributeResult* index = CiGetNextAttribute(0, 23, 2, 2, k.entries);
        ASSERT_NE(index, nullptr) << i;
        EXPECT_EQ(static_cast<uint32_t>(Integer(index)), expected[i + 1].index);
        EXPECT_EQ(CiGetNextAttribute(0, 23, 4, 2, k.entries), nullptr) << "not a key attribute";
    }
    // The end of the walk re-probes on the next request.
    const int walks = g_walks;
    Keys last(3, 2);
    EXPECT_EQ(CiGetNextAttribute(0, 23, 1, 2, last.entries), nullptr);
    EXPECT_EQ(Value(23, 1, 4, 1), 4);
    EXPECT_GT(g_walks, walks);

    // Group 24 is keyed by attributes 2 and 3; attribute 1 is not a key there.
    Keys first(4, 1);
    EXPECT_EQ(CiGetNextAttribute(0, 24, 1, 2, first.entries), nullptr);
    const AttributeResult* r = CiGetNextAttribute(0, 24, 3, 2, first.entries);
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(Integer(r), 2);
    EXPECT_EQ(Value(24, 1, 3, 2), 4);
}

TEST_F(DiskGroups, ControllersCountTheirDrivesAndCdRoms)
{
    Keys k(1, 0);
    const AttributeResult* r = CiGetAttribute(0, 27, 5, 1, k.entries);
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(Integer(r), 2);
    Keys ide(2, 0);
    r = CiGetAttribute(0, 27, 5, 1, ide.entries);
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(Integer(r), 3) << "two disks and the CD-ROM";
    r = CiGetAttribute(0, 27, 6, 1, ide.entries);
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(Text(r), "Enhanced ATA/IDE Interface");

    // No removable drive, no fixed drive: no controller rows, no disk rows.
    g_drives = {{'E', DRIVE_CDROM}};
    InvalidateCaches();
    r = CiGetAttribute(0, 27, 5, 0, nullptr);
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(Integer(r), 1) << "the CD-ROM's controller alone";
    EXPECT_EQ(CiGetAttribute(0, 23, 1, 0, nullptr), nullptr);
}

TEST(FloppySectors, FollowCapacityOn95AndMediaOnNt)
{
    EXPECT_EQ(FloppySectorsByCapacity(0), 9u);
    EXPECT_EQ(FloppySectorsByCapacity(999), 9u);
    EXPECT_EQ(FloppySectorsByCapacity(1000), 15u);
    EXPECT_EQ(FloppySectorsByCapacity(1299), 15u);
    EXPECT_EQ(FloppySectorsByCapacity(1300), 18u);
    EXPECT_EQ(FloppySectorsByCapacity(1999), 18u);
    EXPECT_EQ(FloppySectorsByCapacity(2000), 0u);
    EXPECT_EQ(FloppySectorsByMedia(F3_720_512), 9u);
    EXPECT_EQ(FloppySectorsByMedia(F5_1Pt2_512), 15u);
    EXPECT_EQ(FloppySectorsByMedia(F3_1Pt44_512), 18u);
    EXPECT_EQ(FloppySectorsByMedia(FixedMedia), 0u);
}

}  // namespace
