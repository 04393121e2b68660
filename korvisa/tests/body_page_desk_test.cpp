// The body page end to end on a desk: the viewer's page reads through the
// service layer and the bridge from the PC's component program, which reads
// the testbed PC.
#include <gtest/gtest.h>

#include <cstring>

#include "harness/harness.h"
#include "korvisa/pages/body_info.h"
#include "korvisa/tests/body_page_route.h"
#include "korvisa/tests/installed_service_layer.h"
#include "platform/testbed/smbios_table.h"

namespace {

const char kOwnerKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";   // Windows 98 desk
const char kComputerKey[] = "System\\CurrentControlSet\\Control\\ComputerName\\ComputerName";

struct TestbedPc {
    std::string product;
    unsigned processors = 0;
    unsigned currentMHz = 0;
};

// What the testbed's SMBIOS table says: the product name of the system
// structure, the populated processor sockets and the first one's speed.
TestbedPc ReadTestbedTable()
{
    TestbedPc pc;
    auto table = harness::readFile("C:\\TESTBED\\smbios.bin");
    if (!table)
        return pc;
    const auto* bytes = reinterpret_cast<const unsigned char*>(table->data());
    const auto length = static_cast<unsigned>(table->size());
    SmbiosStructure s;
    unsigned textLength = 0;
    if (smbios_find(bytes, length, 1, 0, &s))
        if (const char* product = smbios_field_string(&s, 5, &textLength))
            pc.product.assign(product, textLength);
    for (unsigned i = 0; smbios_find(bytes, length, 4, i, &s); ++i) {
        unsigned status = 0, speed = 0;
        if (smbios_byte(&s, 0x18, &status) && (status & 0x40)) {
            if (pc.processors++ == 0 && smbios_word(&s, 0x16, &speed))
                pc.currentMHz = speed;
        }
    }
    return pc;
}

// The first processor's family as the service layer hands it to any
// client, read in this process through the installed service layer.
std::string FamilyThroughTheServiceLayer()
{
    if (!BindRealServiceLayer())
        return "(no service layer)";
    korvisa::dmi::DmiAccess access;
    uint32_t component = 0;
    std::string family;
    if (!access.FindGeneralInformation(&component) || !access.SetComponent(component) || !access.SetGroup(6) ||
        !access.GetString(3, 1, &family))
        return "(no family)";
    return std::string(family.c_str(), std::strlen(family.c_str()));
}

harness::Process StartComponentProgram()
{
    harness::Process bramble = harness::Process::start("C:\\DMI\\BIN\\bramble.exe", "", "C:\\DMI\\BIN");
    harness::WindowQuery query;
    query.className = "corvanedmici";
    EXPECT_NE(harness::waitForWindow(query, 20000), nullptr);
    EXPECT_TRUE(harness::waitUntil([] { return harness::fileExists("C:\\DMI\\db\\mifs\\pcmif.mif"); }, 10000));
    return bramble;
}

}  // namespace

TEST(BodyPageDesk, ShowsThePcThroughTheWholeChain)
{
    harness::Process bramble = StartComponentProgram();
    body_page::Viewer viewer = body_page::StartViewer();
    ASSERT_NE(viewer.main, nullptr);
    HWND page = body_page::OpenPage(viewer);
    ASSERT_NE(page, nullptr);
    body_page::Fields fields = body_page::ReadFields(page);

    TestbedPc pc = ReadTestbedTable();
    ASSERT_FALSE(pc.product.empty());
    ASSERT_GE(pc.processors, 1u);
    // The desk's owner, set up from the testbed profile when the desk was made.
    EXPECT_EQ(fields[0], harness::readRegistryString(HKEY_LOCAL_MACHINE, kOwnerKey, "RegisteredOwner"));
    EXPECT_EQ(fields[0], "流星 花子");
    EXPECT_EQ(fields[1], harness::readRegistryString(HKEY_LOCAL_MACHINE, kComputerKey, "ComputerName"));
    EXPECT_EQ(fields[2], pc.product);
    // The family as the chain gives it, with the count when there is more
    // than one processor.
    EXPECT_EQ(fields[3], korvisa::FamilyWithCount(FamilyThroughTheServiceLayer(), pc.processors));
    EXPECT_EQ(fields[3], "Other") << "the testbed's one processor is of family 1";
    EXPECT_EQ(fields[4], std::to_string(pc.currentMHz) + " MHz");
    EXPECT_TRUE(body_page::ClosePage(page));
}

TEST(BodyPageDesk, ShowsNaEverywhereWithoutTheComponentProgram)
{
    // The component is installed (its MIF written at the first start), but
    // nobody answers for it any more.
    harness::Process bramble = StartComponentProgram();
    ASSERT_TRUE(bramble.stop());
    body_page::Viewer viewer = body_page::StartViewer();
    ASSERT_NE(viewer.main, nullptr);
    HWND page = body_page::OpenPage(viewer);
    ASSERT_NE(page, nullptr);
    for (const std::string& field : body_page::ReadFields(page))
        EXPECT_EQ(field, "NA");
    EXPECT_TRUE(body_page::ClosePage(page));
    EXPECT_TRUE(viewer.process.running());
}
