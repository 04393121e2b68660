// What bramble serves of the desk's own PC: the operating-system side that the
// desk sets up from the testbed profile (owner, keyboard, mouse driver, drive
// letters) and the IDE disks the driver describes, read through the bridge as
// the service layer reads them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bramble/app/tests/bramble_desk.h"
#include "harness/harness.h"
#include "platform/dmi/bridge_client.h"

using namespace bramble_desk;

namespace {

constexpr uint32_t kComponent = 1;

std::string Text(uint32_t group, uint32_t attribute, std::vector<uint32_t> keys = {})
{
    MifAnswer answer;
    const uint32_t status =
        service::BridgeGet(kComponent, group, attribute, keys.empty() ? nullptr : keys.data(), keys.size(),
                           5000, &answer);
    return status == 0 ? answer.bytes : "status " + std::to_string(status);
}

long long Number(uint32_t group, uint32_t attribute, std::vector<uint32_t> keys = {})
{
    MifAnswer answer;
    const uint32_t status =
        service::BridgeGet(kComponent, group, attribute, keys.empty() ? nullptr : keys.data(), keys.size(),
                           5000, &answer);
    if (status != 0) return -1;
    return answer.type == dmi::kInteger64 ? static_cast<long long>(answer.value64) : answer.value32;
}

TEST(BrambleMachine, ServesTheDesksOwnPcAndDisks)
{
    auto bramble = Start();
    ASSERT_TRUE(bramble.valid()) << bramble.error();
    ASSERT_NE(WaitUntilServing(bramble.id()), nullptr);

    EXPECT_EQ(Text(2, 3), "流星 花子");
    EXPECT_EQ(Text(2, 2), "流星商事株式会社");
    EXPECT_EQ(Text(29, 2), "日本語 106 キーボード");
    EXPECT_EQ(Text(28, 5), "MOUSE.DRV");
    EXPECT_EQ(Text(28, 6), "4.10.1998");

    // One fixed drive (C:): the host's root is a network drive on the desk.
    EXPECT_EQ(Text(25, 2, {1}), "C");
    EXPECT_EQ(Number(25, 1, {2}), -1);

    // The floppy drive A:, then the two IDE disks of the profile with the
    // drives' own geometry and size. (The translated geometry comes from
    // "\\.\PHYSICALDRIVEn", which Wine answers from the host.)
    EXPECT_EQ(Text(23, 4, {4, 1}), "Floppy Disk Interface");
    EXPECT_EQ(Text(23, 4, {3, 1}), "Enhanced ATA/IDE Interface");
    EXPECT_EQ(Number(23, 9, {3, 1}), 38760);
    EXPECT_EQ(Number(23, 14, {3, 1}), 16);
    EXPECT_EQ(Number(23, 13, {3, 1}), 63);
    EXPECT_EQ(Number(23, 16, {3, 2}), 19380LL * 16 * 63 / 2);
    EXPECT_EQ(Number(23, 1, {3, 3}), -1);
    // The IDE controller carries both disks and the CD-ROM drive D:.
    EXPECT_EQ(Number(27, 5, {1}), 1);
    EXPECT_EQ(Number(27, 5, {2}), 3);
    bramble.stop();
}

// The operating-system group as each Windows the suite runs on shows it; the
// MIF of a first start on NT has no IRQ group.
void CheckOperatingSystem(harness::WindowsVersion version, const char* name, const char* number,
                          const char* description)
{
    ASSERT_TRUE(harness::setProgramWindowsVersion(kProgram, version));
    auto bramble = Start();
    ASSERT_TRUE(bramble.valid()) << bramble.error();
    ASSERT_NE(WaitUntilServing(bramble.id()), nullptr);
    EXPECT_EQ(Text(3, 2, {1}), name);
    EXPECT_EQ(Text(3, 3, {1}), number);
    EXPECT_EQ(Text(3, 8, {1}), description);
    const bool nt = version == harness::WindowsVersion::Nt40;
    const std::string mif = harness::readFile("C:\\DMI\\db\\mifs\\pcmif.mif").value_or("");
    ASSERT_FALSE(mif.empty());
    EXPECT_EQ(mif.find("\"DMTF|IRQ|002\"") == std::string::npos, nt);
    bramble.stop();
}

TEST(BrambleMachine, OperatingSystemOfWindows95) {
    CheckOperatingSystem(harness::WindowsVersion::Win95, "MS-Windows 95", "4.0",
                         "Microsoft Windows 95 Operating System");
}

TEST(BrambleMachine, OperatingSystemOfWindows98) {
    CheckOperatingSystem(harness::WindowsVersion::Win98, "MS-Windows 98", "4.10",
                         "Microsoft Windows 98 Operating System");
}

TEST(BrambleMachine, OperatingSystemOfWindowsNt) {
    CheckOperatingSystem(harness::WindowsVersion::Nt40, "MS-Windows NT", "4.0",
                         "Microsoft Windows NT Operating System");
}

}  // namespace
