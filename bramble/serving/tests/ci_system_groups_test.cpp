// The groups served from the operating system: display, keyboard, pointing
// device and partitions against what the system answers, the IRQ table from
// a handed-in device list, and the FAT32 sizes from a handed-in reader.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "bramble/serving/ci_entry_points.h"
#include "bramble/serving/tests/answer_values.h"
#include "bramble/serving/ci_groups.h"

using namespace bramble;
using namespace answer;

namespace {

// Every row key of a table group, by get-next from the first row's key.
std::vector<int32_t> WalkKeys(ULONG group, uint32_t firstKey = 1)
{
    std::vector<int32_t> keys;
    Key first(firstKey);
    const AttributeResult* r = Get(group, 1, 1, &first.entry);
    if (!r) return keys;
    keys.push_back(static_cast<int32_t>(firstKey));
    for (int guard = 0; guard < 64; ++guard) {
        Key k(static_cast<uint32_t>(keys.back()));
        r = CiGetNextAttribute(0, group, 1, 1, &k.entry);
        if (!r) break;
        keys.push_back(Integer(r));
    }
    return keys;
}

std::string RowText(ULONG group, ULONG attribute, uint32_t key)
{
    Key k(key);
    const AttributeResult* r = Get(group, attribute, 1, &k.entry);
    return r ? Text(r) : std::string("<null>");
}

// --- IRQ table ---------------------------------------------------------------

std::vector<ci::IrqDevice> g_devices;
bool HandedDevices(std::vector<ci::IrqDevice>* devices)
{
    *devices = g_devices;
    return !g_devices.empty();
}

ci::IrqDevice Device(unsigned irq, const char* cls, const char* text)
{
    ci::IrqDevice d;
    d.irq = irq;
    d.deviceClass = cls;
    d.description = text;
    return d;
}

class CiSystemIrq : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetMainWindow(nullptr);
        ci::SetIrqSource(HandedDevices);
        InvalidateCaches();
    }
    void TearDown() override
    {
        g_devices.clear();
        ci::SetIrqSource(nullptr);
        InvalidateCaches();
    }
};

TEST_F(CiSystemIrq, EmptySourceHasNoRows)
{
    g_devices.clear();
    EXPECT_EQ(Get(13, 1), nullptr);
    Key first(1);
    EXPECT_EQ(Get(13, 5, 1, &first.entry), nullptr);
    EXPECT_EQ(CiGetNextAttribute(0, 13, 1, 1, &first.entry), nullptr);
}

TEST_F(CiSystemIrq, RowsFollowTheListedDevices)
{
    // A serial port on 4, a parallel port on 7, a CD-ROM on 15, two on 14, and
    // interrupts out of range that must be ignored.
    g_devices = {Device(4, "Ports", "Communications Port"), Device(7, "ports", "Printer Port"),
                 Device(15, "CDROM", "CD drive"), Device(14, "hdc", "IDE"), Device(14, "hdc", "IDE 2"),
                 Device(16, "Ports", "bad"), Device(0xFFFFFFFFu, "CDROM", "bad")};

    // Key count 0 is the first row, IRQ 0; rows are keyed 1 to 16.
    const AttributeResult* first = Get(13, 1);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(Integer(first), 0);
    const std::vector<int32_t> keys = WalkKeys(13);
    ASSERT_EQ(keys.size(), ci::kIrqCount);
    for (size_t i = 0; i < keys.size(); ++i) {
        EXPECT_EQ(keys[i], static_cast<int32_t>(i + 1));
        Key k(static_cast<uint32_t>(keys[i]));
        const AttributeResult* irq = Get(13, 1, 1, &k.entry);
        ASSERT_NE(irq, nullptr);
        EXPECT_EQ(Integer(irq), static_cast<int32_t>(i));
        unsigned holders = 0;
        for (const ci::IrqDevice& d : g_devices) holders += d.irq == i ? 1 : 0;
        const AttributeResult* count = Get(13, 3, 1, &k.entry);
        ASSERT_NE(count, nullptr);
        EXPECT_EQ(static_cast<unsigned>(Integer(count)), holders) << "IRQ " << i;
    }

    // The ports that are listed keep their rows; those that are not become
    // reserved; the CD-ROM takes row 15.
    EXPECT_NE(RowText(13, 5, 4 + 1), "Reserved");
    EXPECT_NE(RowText(13, 5, 7 + 1), "Reserved");
    EXPECT_EQ(RowText(13, 5, 3 + 1), "Reserved");
    EXPECT_EQ(RowText(13, 5, 5 + 1), "Reserved");
    EXPECT_EQ(RowText(13, 5, 15 + 1), "CD-ROM");
    Key com2(3 + 1), com1(4 + 1), cd(15 + 1);
    EXPECT_EQ(Integer(Get(13, 2, 1, &com2.entry)), 3);
    EXPECT_NE(Integer(Get(13, 2, 1, &com1.entry)), 3);
    EXPECT_EQ(Integer(Get(13, 2, 1, &cd.entry)), 4);

    // A missing row and an unknown attribute are null.
    Key missing(ci::kIrqCount + 1);
    EXPECT_EQ(Get(13, 1, 1, &missing.entry), nullptr);
    EXPECT_EQ(Get(13, 99), nullptr);
}

TEST_F(CiSystemIrq, RefreshMessageReprobes)
{
    g_devices = {Device(4, "Ports", "COM1")};
    EXPECT_NE(RowText(13, 5, 4 + 1), "Reserved");
    g_devices = {Device(3, "Ports", "COM2")};
    EXPECT_TRUE(HandleRefreshMessage(kRefreshIrq));
    EXPECT_EQ(RowText(13, 5, 4 + 1), "Reserved");
    EXPECT_NE(RowText(13, 5, 3 + 1), "Reserved");
}

TEST(CiSystemIrqAllocation, InterruptsAreReadWithinTheRecord)
{
    std::vector<unsigned char> record(ci::kAllocationIrqCountOffset + 2 + 7 + 7, 0);
    const size_t at = ci::kAllocationIrqCountOffset;
    record[at] = 2;
    record[at + 2] = 14;
    record[at + 3] = 15;
    std::vector<unsigned> irqs;
    ci::AllocationIrqs(record.data(), record.size(), &irqs);
    EXPECT_EQ(irqs, (std::vector<unsigned>{14, 15}));

    // A count above the 7 slots reads only the slots.
    record[at] = 0xFF;
    record[at + 1] = 0xFF;
    irqs.clear();
    ci::AllocationIrqs(record.data(), record.size(), &irqs);
    EXPECT_EQ(irqs.size(), 7u);

    // A record cut short reads only what it holds, or nothing.
    irqs.clear();
    ci::AllocationIrqs(record.data(), at + 3, &irqs);
    EXPECT_EQ(irqs, (std::vector<unsigned>{14}));
    irqs.clear();
    ci::AllocationIrqs(record.data(), at + 1, &irqs);
    ci::AllocationIrqs(nullptr, record.size(), &irqs);
    EXPECT_TRUE(irqs.empty());
}

// --- display, keyboard, pointing device --------------------------------------

TEST(CiSystemGroups, DisplayAnswersTheScreenMode)
{
    HDC screen = GetDC(nullptr);
    ASSERT_NE(screen, nullptr);
    const int width = GetDeviceCaps(screen, HORZRES);
    const int height = GetDeviceCaps(screen, VERTRES);
    const int bpp = GetDeviceCaps(screen, BITSPIXEL) * GetDeviceCaps(screen, PLANES);
    ReleaseDC(nullptr, screen);

    const AttributeResult* r = Get(20, 11);
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->dataType, 5u);
    EXPECT_EQ(Integer(r), width);
    EXPECT_EQ(Integer(Get(20, 10)), height);
    EXPECT_EQ(Integer(Get(20, 12)), bpp);
    EXPECT_EQ(static_cast<unsigned>(Integer(Get(20, 3))), ci::VesaMode(width, height, bpp));
    EXPECT_NE(Get(20, 9), nullptr);
    EXPECT_EQ(Get(20, 1), nullptr);
    EXPECT_EQ(Get(20, 15), nullptr);
    Key one(1);
    EXPECT_EQ(CiGetNextAttribute(0, 20, 1, 1, &one.entry), nullptr);  // not a table
}

TEST(CiSystemGroups, VesaModesByResolutionAndDepth)
{
    EXPECT_EQ(ci::VesaMode(800, 600, 16), 0x114u);
    EXPECT_EQ(ci::VesaMode(800, 600, 15), 0x113u);
    EXPECT_EQ(ci::VesaMode(1024, 768, 32), 0x118u);
    EXPECT_EQ(ci::VesaMode(640, 480, 4), 0x12u);
    // The sum decides: the same sum in another shape gives the same mode.
    EXPECT_EQ(ci::VesaMode(600, 800, 8), ci::VesaMode(800, 600, 8));
    EXPECT_EQ(ci::VesaMode(1600, 1200, 32), 0u);
    EXPECT_EQ(ci::VesaMode(-1, 0, 0), 0u);
}

class CiSystemKeyboard : public ::testing::Test {
protected:
    static constexpr const char* kPath = "System\\CurrentControlSet\\Services\\Class\\Keyboard\\0000";
    void TearDown() override
    {
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, kPath);
        InvalidateCaches();
    }
};

TEST_F(CiSystemKeyboard, DescriptionComesFromTheClassKey)
{
    SetMainWindow(nullptr);
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    const char desc[] = "\x93\xfa\x96\x7b\x8c\xea 106 keyboard";  // CP932 text
    ASSERT_EQ(RegSetValueExA(key, "DriverDesc", 0, REG_SZ, reinterpret_cast<const BYTE*>(desc), sizeof desc),
              ERROR_SUCCESS);
    const AttributeResult* r = Get(29, 2);
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(Text(r), desc);
    EXPECT_EQ(Integer(Get(29, 4)), GetKeyboardType(0));

    // A value that is not text is no description.
    const DWORD number = 7;
    ASSERT_EQ(RegSetValueExA(key, "DriverDesc", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                             sizeof number),
              ERROR_SUCCESS);
    RegCloseKey(key);
    EXPECT_NE(Text(Get(29, 2)), desc);
    EXPECT_EQ(Get(29, 1), nullptr);
}

TEST(CiSystemGroups, PointingDeviceAnswers)
{
    const AttributeResult* r = Get(28, 7);
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(Integer(r), GetSystemMetrics(SM_CMOUSEBUTTONS));
    r = Get(28, 5);
    ASSERT_NE(r, nullptr);
    EXPECT_FALSE(Text(r).empty());
    EXPECT_NE(Get(28, 6), nullptr);
    EXPECT_EQ(Get(28, 1), nullptr);
}

// --- standard ports ----------------------------------------------------------

std::vector<std::string> g_presentPorts;
std::vector<std::string> g_askedPorts;
unsigned HandedPortState(const char* name)
{
    g_askedPorts.push_back(name);
    for (const std::string& p : g_presentPorts)
        if (p == name) return ci::kPortPresent;
    return 1;
}

TEST(CiSystemPorts, EightRowsFollowTheProbedStates)
{
    ci::SetPortStateReader(HandedPortState);
    g_presentPorts = {"COM1", "LPT2"};
    g_askedPorts.clear();
    InvalidateCaches();

    const AttributeResult* first = Get(31, 1);  // key count 0: the first row
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(Integer(first), 1);
    const std::vector<int32_t> keys = WalkKeys(31);
    ASSERT_EQ(keys.size(), ci::kStandardPortCount);
    ASSERT_EQ(g_askedPorts.size(), ci::kStandardPortCount);
    for (size_t i = 0; i < keys.size(); ++i) {
        EXPECT_EQ(keys[i], static_cast<int32_t>(i + 1));
        Key k(static_cast<uint32_t>(keys[i]));
        const std::string name = g_askedPorts[i];  // later probes add to the list
        const bool serial = name.compare(0, 3, "COM") == 0;
        EXPECT_EQ(name.substr(3), std::to_string(i % 4 + 1)) << name;
        EXPECT_EQ(serial, i < 4) << name;
        EXPECT_EQ(Integer(Get(31, 2, 1, &k.entry)), serial ? 12 : 11);
        bool present = false;
        for (const std::string& p : g_presentPorts) present = present || p == name;
        const int32_t usage = Integer(Get(31, 3, 1, &k.entry));
        EXPECT_EQ(usage, present ? 4 : 3) << name;
        EXPECT_EQ(Integer(Get(31, 4, 1, &k.entry)), usage == 4 ? 2 : 3) << name;
    }
    Key missing(ci::kStandardPortCount + 1);
    EXPECT_EQ(Get(31, 1, 1, &missing.entry), nullptr);
    EXPECT_EQ(Get(31, 5), nullptr);
    ci::SetPortStateReader(nullptr);
    InvalidateCaches();
}

// --- partitions --------------------------------------------------------------

TEST(CiSystemPartitions, RowsAreTheFixedDrives)
{
    InvalidateCaches();
    std::vector<char> fixed;
    for (char letter = 'C'; letter <= 'Z' && fixed.size() < 16; ++letter) {
        const char root[] = {letter, ':', '\\', '\0'};
        if (GetDriveTypeA(root) == DRIVE_FIXED) fixed.push_back(letter);
    }
    const std::vector<int32_t> keys = fixed.empty() ? std::vector<int32_t>() : WalkKeys(25);
    ASSERT_EQ(keys.size(), fixed.size());
    const bool nt = (GetVersion() & 0x80000000UL) == 0;
    for (size_t i = 0; i < fixed.size(); ++i) {
        EXPECT_EQ(keys[i], static_cast<int32_t>(i + 1));
        Key k(static_cast<uint32_t>(keys[i]));
        EXPECT_EQ(RowText(25, 2, k.value), std::string(1, fixed[i]));
        const char root[] = {fixed[i], ':', '\\', '\0'};
        char label[MAX_PATH + 1] = {}, fs[MAX_PATH + 1] = {};
        DWORD serial = 0;
        GetVolumeInformationA(root, label, MAX_PATH, &serial, nullptr, nullptr, fs, MAX_PATH);
        int64_t total = 0, free = 0;
        ci::VolumeSizesKB(root, fs, nt, &total, &free);
        const AttributeResult* size = Get(25, 3, 1, &k.entry);
        ASSERT_NE(size, nullptr);
        EXPECT_EQ(size->dataType, 6u);
        EXPECT_EQ(Wide(size), total);
        const AttributeResult* avail = Get(25, 4, 1, &k.entry);
        ASSERT_NE(avail, nullptr);
        // Free space may move a little between the two reads.
        EXPECT_LE(Wide(avail), Wide(size));
        char text[MAX_PATH + 16];
        std::snprintf(text, sizeof text, "%s %lX", label, static_cast<unsigned long>(serial));
        EXPECT_EQ(RowText(25, 5, k.value), text);
    }
    if (!fixed.empty()) {
        // Key count 0 is the first row; a missing row is null.
        EXPECT_EQ(Text(Get(25, 2)), std::string(1, fixed[0]));
        Key missing(static_cast<uint32_t>(fixed.size() + 1));
        EXPECT_EQ(Get(25, 2, 1, &missing.entry), nullptr);
        EXPECT_EQ(Get(25, 99), nullptr);
    }
}

uint64_t g_fat32Total = 0, g_fat32Free = 0;
int g_fat32Calls = 0;
bool HandedFat32(const char*, uint64_t* total, uint64_t* free)
{
    ++g_fat32Calls;
    *total = g_fat32Total;
    *free = g_fat32Free;
    return g_fat32Total != 0;
}

TEST(CiSystemPartitions, Fat32On9xUsesTheExtendedCall)
{
    ci::SetFat32SpaceReader(HandedFat32);
    g_fat32Total = 80ULL << 30;  // 80 GB: beyond 32 bits in bytes
    g_fat32Free = 5ULL << 30;
    g_fat32Calls = 0;
    int64_t total = 0, free = 0;
    ci::VolumeSizesKB("C:\\", "FAT32", false, &total, &free);
    EXPECT_EQ(g_fat32Calls, 1);
    EXPECT_EQ(total, static_cast<int64_t>(g_fat32Total / 1024));
    EXPECT_EQ(free, static_cast<int64_t>(g_fat32Free / 1024));

    // On NT, and for other file systems, the cluster counts are used.
    ci::VolumeSizesKB("C:\\", "FAT32", true, &total, &free);
    ci::VolumeSizesKB("C:\\", "FAT", false, &total, &free);
    EXPECT_EQ(g_fat32Calls, 1);

    // A failed call, or free space above the total, gives zero sizes.
    g_fat32Total = 0;
    ci::VolumeSizesKB("C:\\", "FAT32", false, &total, &free);
    EXPECT_EQ(total, 0);
    g_fat32Total = 1ULL << 20;
    g_fat32Free = 2ULL << 20;
    ci::VolumeSizesKB("C:\\", "FAT32", false, &total, &free);
    EXPECT_EQ(total, 0);
    EXPECT_EQ(free, 0);
    ci::SetFat32SpaceReader(nullptr);

    // So does a volume that cannot be read.
    total = free = -1;
    ci::VolumeSizesKB("Q:\\", "NTFS", true, &total, &free);
    EXPECT_EQ(total, 0);
    EXPECT_EQ(free, 0);
}

}  // namespace
