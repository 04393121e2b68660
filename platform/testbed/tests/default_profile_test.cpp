// The default testbed PC: its SMBIOS table must tell what its [Machine]
// section says, at the offsets where readers look.
#include <gtest/gtest.h>

#include <string>

#include "platform/testbed/profile_reader.h"
#include "platform/testbed/smbios_table.h"
#include "platform/testbed/tests/test_files.h"

TEST(DefaultProfile, SmbiosTableMatchesTheMachineSection)
{
    TestbedProfile profile;
    profile.UseFile(TESTBED_INSTALL_DIR "/machine.ini");
    auto text = [&](const char* key) {
        char out[128];
        EXPECT_TRUE(profile.GetString("Machine", key, out, sizeof out)) << key;
        return std::string(out);
    };
    auto number = [&](const char* key) {
        unsigned long value = 0;
        EXPECT_TRUE(profile.GetUInt("Machine", key, &value)) << key;
        return value;
    };
    auto string = [](const SmbiosStructure& s, unsigned offset) {
        const char* found = smbios_field_string(&s, offset, nullptr);
        return std::string(found ? found : "<missing>");
    };

    char path[MAX_PATH];
    ASSERT_TRUE(profile.GetPath("SMBIOS", "Table", path, sizeof path));
    const std::string table = ReadWholeFile(path);
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(table.data());
    const unsigned size = static_cast<unsigned>(table.size());
    unsigned offset = 0, value = 0, sockets = 0, populated = 0;
    unsigned long memory = 0, start = 0, end = 0;
    SmbiosStructure s = {};
    while (smbios_next(bytes, size, &offset, &s)) {
        if (s.type == 4) {
            sockets++;
            if (smbios_byte(&s, 0x18, &value) && (value & 0x40)) {  // socket populated
                populated++;
                EXPECT_TRUE(smbios_word(&s, 0x16, &value));
                EXPECT_EQ(value, number("ProcessorSpeed"));
            }
        }
        if (s.type == 17 && smbios_word(&s, 0x0C, &value))
            memory += value;
    }
    EXPECT_EQ(s.type, 127u);
    EXPECT_EQ(s.data + s.size, bytes + size) << "the end structure ends the table";
    EXPECT_EQ(sockets, number("ProcessorSockets"));
    EXPECT_EQ(populated, number("Processors"));

    ASSERT_TRUE(smbios_find(bytes, size, 0, 0, &s));
    EXPECT_EQ(string(s, 0x04), text("BiosVendor"));
    EXPECT_EQ(string(s, 0x08), text("BiosDate"));
    ASSERT_TRUE(smbios_find(bytes, size, 1, 0, &s));
    EXPECT_EQ(string(s, 0x04), text("Maker"));
    EXPECT_EQ(string(s, 0x05), text("Model"));

    // Module sizes as listed, and all of them mapped.
    unsigned long listed = 0;
    char item[16];
    for (unsigned i = 0; profile.GetListItem("Machine", "MemoryModules", i, item, sizeof item); i++)
        listed += std::stoul(item);
    EXPECT_EQ(memory, listed);
    ASSERT_TRUE(smbios_find(bytes, size, 19, 0, &s));
    ASSERT_TRUE(smbios_dword(&s, 0x04, &start) && smbios_dword(&s, 0x08, &end));
    EXPECT_EQ((end + 1 - start) / 1024, listed);
}
