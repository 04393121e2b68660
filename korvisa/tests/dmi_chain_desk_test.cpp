// The viewer's DMI client against the real service layer DLLs on a desk:
// MIF files in C:\DMI\db\mifs, and a responder in another process standing
// where the PC's component program answers the bridge.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "harness/harness.h"
#include "korvisa/dmi/command_layer.h"
#include "korvisa/dmi/dmi_access.h"
#include "korvisa/tests/installed_service_layer.h"

using namespace korvisa::dmi;

namespace {

const char kMifFolder[] = "C:\\DMI\\db\\mifs\\";

const char kVendorMif[] = R"(// the vendor component, as far as these tests read it
start component
  name = "Chain Vendor"
  start path
    name = "CORVANEDI"
    win32 = direct-interface
  end path
  start group
    name = "Vendor" class = "DMTF|Lanternfish|1.0" id = 1
    start attribute name = "Label" id = 1 type = string(32) value = "ﾃｽﾄ" "表示機" end attribute
  end group
  start group
    name = "Slot" class = "X|Slot|1" key = 1
    start attribute name = "Index" id = 1 type = integer value = 0 end attribute
    start attribute name = "Kind" id = 2 type = string(8) value = "" end attribute
  end group
  start table
    name = "Slots" id = 9 class = "X|Slot|1"
    {1, "AGP"}
    {2, "PCI"}
  end table
  start group
    name = "Rows" class = "X|Rows|1" id = 5 key = 1
    start attribute name = "Index" id = 1 type = integer value = *"CORVANEDI" end attribute
    start attribute name = "Text" id = 2 type = string(16) value = *"CORVANEDI" end attribute
  end group
  start group
    name = "Clock" class = "X|Clock|1" id = 7
    start attribute name = "When" id = 3 type = date value = *"CORVANEDI" end attribute
  end group
end component
)";

const char kSystemMif[] = R"(start component
  name = "Chain PC"
  start path name = "CORVANEDI" win32 = direct-interface end path
  start group
    name = "General" class = "DMTF|General Information|001" id = 1
    start attribute name = "System Name" id = 1 type = string(64) value = "PC-01" end attribute
  end group
  start group
    name = "Enclosure" class = "DMTF|Physical Container Global Table|001" id = 16
    start attribute
      name = "Container Type" id = 1
      type = start enum 3 = "Desktop" 6 = "Mini Tower" end enum
      value = *"CORVANEDI"
    end attribute
  end group
end component
)";

std::string SoftwareMif(int n)
{
    return "start component name = \"Product " + std::to_string(n) +
           "\" start group name = \"Software\" class = \"DMTF|Software Component Information|001\" id = 1 "
           "start attribute name = \"Product\" id = 1 type = string(32) value = \"P" +
           std::to_string(n) + "\" end attribute end group end component\n";
}

class Chain : public ::testing::Test {
protected:
    void SetUp() override
    {
        // This vendor component stands in for the installed one.
        ASSERT_TRUE(harness::deleteFile(std::string(kMifFolder) + "vendor.mif"));
        ASSERT_TRUE(harness::writeFile(std::string(kMifFolder) + "chain_vendor.mif", kVendorMif));
        ASSERT_TRUE(harness::writeFile(std::string(kMifFolder) + "system.mif", kSystemMif));
        for (int n = 1; n <= 6; ++n)
            ASSERT_TRUE(harness::writeFile(std::string(kMifFolder) + "sw" + std::to_string(n) + ".mif",
                                           SoftwareMif(n)));
        ASSERT_TRUE(BindRealServiceLayer());
    }
    void StartResponder(const char* arguments = "")
    {
        responder = harness::Process::start(harness::fromUnixPath(BRIDGE_RESPONDER), arguments);
        ASSERT_TRUE(responder.valid());
        harness::WindowQuery query;
        query.className = "corvanedmici";
        ASSERT_NE(harness::waitForWindow(query), nullptr);
    }
    harness::Process responder;
};

}  // namespace

TEST_F(Chain, StaticEnumeratedKeyedAndBridgedValuesArrive)
{
    StartResponder();
    DmiAccess access;
    ASSERT_TRUE(DmiAccess::Connected());
    std::string text;
    access.SetGroup(1);
    ASSERT_EQ(access.GetString(1, &text), 1);
    EXPECT_EQ(text, "ﾃｽﾄ表示機");

    // A static table row by key, and a key with no row.
    access.SetGroup(9);
    ASSERT_EQ(access.GetString(2, 2, &text), 1);
    EXPECT_EQ(text, "PCI");
    EXPECT_EQ(access.GetString(2, 5, &text), 0);
    EXPECT_EQ(access.LastStatus(), 0x10Au);

    // Through the bridge: an enumerated integer comes back as its text.
    ASSERT_EQ(access.GetSystemName(&text), 1);
    EXPECT_EQ(text, "Mini Tower");
    access.SetGroup(5);
    ASSERT_EQ(access.GetString(2, 3, &text), 1);
    EXPECT_EQ(text, "row 3");
    EXPECT_EQ(access.GetString(2, 9, &text), 0);
    EXPECT_EQ(access.LastStatus(), 0x100u);
    access.SetGroup(7);
    ASSERT_EQ(access.GetString(3, &text), 1);
    EXPECT_EQ(std::string(text.c_str()), "20011224093000.000000+540");

    // Unknown groups and components carry the service layer's statuses.
    access.SetGroup(77);
    EXPECT_EQ(access.GetString(1, &text), 0);
    EXPECT_EQ(access.LastStatus(), 0x104u);
    access.SetComponent(999);
    access.SetGroup(1);
    EXPECT_EQ(access.GetString(1, &text), 0);
    EXPECT_EQ(access.LastStatus(), 0x102u);
}

TEST_F(Chain, SoftwareListingContinuesOverSeveralBatches)
{
    DmiAccess access;
    uint32_t id = 0;
    std::vector<uint32_t> ids;
    for (int ok = access.FirstSoftwareComponent(&id); ok; ok = access.NextSoftwareComponent(&id))
        ids.push_back(id);
    // The six written here and whatever the installation brought, each once.
    uint32_t count = 0;
    ASSERT_EQ(CountComponents(kSoftwareClass, &count, nullptr), 0);
    EXPECT_GE(count, 6u);
    EXPECT_EQ(ids.size(), count);
    std::sort(ids.begin(), ids.end());
    EXPECT_EQ(std::unique(ids.begin(), ids.end()), ids.end());
    EXPECT_EQ(access.LastStatus(), 12u);
    // A class nobody has: nothing, and success.
    uint32_t listed = 99;
    uint32_t some[4];
    EXPECT_EQ(ListComponents("NOBODY|Here|1", some, 4, nullptr, &listed), 0);
    EXPECT_EQ(listed, 0u);
}

TEST_F(Chain, BridgeWithoutAnAnswerFailsInBoundedTime)
{
    DmiAccess access;
    std::string text;
    EXPECT_EQ(access.GetSystemName(&text), 0);
    EXPECT_EQ(access.LastStatus(), 0x107u);

    StartResponder("hang");
    DWORD start = GetTickCount();
    EXPECT_EQ(access.GetSystemName(&text), 0);
    EXPECT_EQ(access.LastStatus(), 0x10004u);
    EXPECT_LT(GetTickCount() - start, 15000u);
}

TEST(InstalledVendor, ValuesComeFromTheSystemAndTheTestbedProfile)
{
    // The testbed PC gets a monitor and two modems (a key's first occurrence
    // wins, so these go in front of the installed profile); the keyboard is
    // the desk's own.
    auto profile = harness::readFile("C:\\TESTBED\\machine.ini");
    ASSERT_TRUE(profile.has_value());
    ASSERT_TRUE(harness::writeFile("C:\\TESTBED\\machine.ini",
                                   "[Vendor]\r\nG7.A1=ﾃｽﾄ表示ﾓﾆﾀ\r\nG19.Rows=1,2\r\nG19.A2.K2=FAX MODEM 56K\r\n" +
                                       *profile));
    ASSERT_TRUE(BindRealServiceLayer());

    DmiAccess access;
    ASSERT_TRUE(DmiAccess::Connected());
    std::string text;
    access.SetGroup(7);
    ASSERT_EQ(access.GetString(1, &text), 1);
    EXPECT_EQ(text, "ﾃｽﾄ表示ﾓﾆﾀ");
    access.SetGroup(19);
    ASSERT_EQ(access.GetString(2, 2, &text), 1);
    EXPECT_EQ(text, "FAX MODEM 56K");
    EXPECT_EQ(access.GetString(2, 3, &text), 0);
    EXPECT_EQ(access.LastStatus(), 0x10Au);

    UINT delay = 99;
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETKEYBOARDDELAY, 0, &delay, 0));
    access.SetGroup(10);
    uint32_t value = 0;
    ASSERT_EQ(access.GetInteger(1, &value), 1);
    EXPECT_EQ(value, delay);
}

TEST(WholeChain, ViewerReadsTheComputerTypeFromTheComponentProgram)
{
    // The PC's component program writes its MIF at its first start and then
    // answers the bridge; the viewer's read goes through the service layer.
    harness::Process bramble = harness::Process::start("C:\\DMI\\BIN\\bramble.exe", "", "C:\\DMI\\BIN");
    ASSERT_TRUE(bramble.valid());
    harness::WindowQuery query;
    query.className = "corvanedmici";
    ASSERT_NE(harness::waitForWindow(query, 20000), nullptr);
    ASSERT_TRUE(harness::waitUntil([] { return harness::fileExists("C:\\DMI\\db\\mifs\\pcmif.mif"); }, 10000));

    ASSERT_TRUE(BindRealServiceLayer());
    DmiAccess access;
    ASSERT_TRUE(DmiAccess::Connected());
    std::string type;
    ASSERT_EQ(access.GetSystemName(&type), 1) << access.LastStatus();
    // The testbed PC is a mini tower.
    EXPECT_EQ(type, "Mini Tower");

    // The processor table, as the body page reads it: the family as its
    // enumeration text (the testbed's processor is of family 1, "Other"),
    // the clock as a number, and no second row (one socket is empty).
    uint32_t component = 0;
    ASSERT_EQ(access.FindGeneralInformation(&component), 1) << access.LastStatus();
    ASSERT_EQ(access.SetComponent(component), 1);
    ASSERT_EQ(access.SetGroup(6), 1);
    std::string family;
    ASSERT_EQ(access.GetString(3, 1, &family), 1) << access.LastStatus();
    EXPECT_EQ(family, "Other");
    std::string text;
    ASSERT_EQ(access.GetString(2, 1, &text), 1) << access.LastStatus();
    EXPECT_EQ(text, "Central Processor");
    ASSERT_EQ(access.GetString(7, 1, &text), 1) << access.LastStatus();
    EXPECT_EQ(text, "370 Pin Socket");
    uint32_t clock = 0;
    ASSERT_EQ(access.GetInteger(6, &clock), 1) << access.LastStatus();
    EXPECT_EQ(clock, 1000u);
    EXPECT_NE(access.GetString(3, 2, &family), 1);
    bramble.stop();
}
