// The [Vendor] section against the system's values: what wins, how table rows
// are chosen and addressed, and how values are checked against their types.
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "common/dmi_types.h"
#include "platform/testbed/tests/test_files.h"
#include "platform/vendor/profile_overrides.h"
#include "platform/vendor/vendor_profile.h"
#include "platform/vendor/tests/vendor_test_profile.h"

using vendor::Result;

TEST_F(VendorProfileTest, ProfileValuesWinOverTheSystemsAndBadOnesAreIgnored)
{
    const uint64_t systemTotal = Get(6, 1, 0).integer;
    const uint64_t systemDriveC = Get(18, 3, 3).integer;
    ASSERT_NE(systemTotal, 12345u);

    WriteVendorSection("G6.A1=12345\r\nG18.A3.K3=999\r\nG10.A1=-1\r\n");
    EXPECT_EQ(Get(6, 1, 0).integer, 12345u);
    EXPECT_EQ(Get(18, 3, 3).integer, 999u) << "a row the system has";
    EXPECT_EQ(Get(18, 3, 3).type, dmi::kInteger);
    EXPECT_EQ(Get(10, 1, 0).integer, 0xFFFFFFFFu) << "a negative integer keeps its 32 bits";

    // Values that do not fit an integer leave the system's value in place.
    for (const char* bad : {"2147483648", "12k", "", "0x1FFFFFFFF"}) {
        WriteVendorSection(std::string("G6.A1=") + bad + "\r\n");
        EXPECT_EQ(Get(6, 1, 0).integer, systemTotal) << bad;
    }
    WriteVendorSection("");
    EXPECT_EQ(Get(18, 3, 3).integer, systemDriveC);
}

TEST_F(VendorProfileTest, ProfileRowsReplaceTheSystemsAndRowsGoByKey)
{
    const std::vector<uint32_t> systemModes = vendor::RowKeys(9);
    ASSERT_GE(systemModes.size(), 2u) << "the desk's display lists its modes";
    const std::string systemMode2 = Get(9, 2, 2).text;

    // Zero, junk and a repeated key are left out of the list.
    WriteVendorSection("G9.Rows=4000, 2, 0, x, 4000\r\nG9.A3.K4000=独自ﾓｰﾄﾞ\r\n");
    EXPECT_EQ(vendor::RowKeys(9), (std::vector<uint32_t>{4000, 2}));
    EXPECT_EQ(Get(9, 1, 0).integer, 4000u) << "key 0 reads the first row";
    EXPECT_EQ(Get(9, 1, 2).integer, 2u);
    EXPECT_EQ(Try(9, 2, 1), Result::NoSuchRow) << "a system row the list leaves out";
    EXPECT_EQ(Get(9, 2, 2).text, systemMode2) << "a listed row the system has keeps its values";
    const vendor::Value unknown = Get(9, 2, 4000);
    EXPECT_EQ(unknown.type, dmi::kDisplayString);
    EXPECT_EQ(unknown.text, "") << "a row only the profile knows is empty where it gives nothing";
    EXPECT_EQ(Get(9, 3, 4000).text, "独自ﾓｰﾄﾞ");

    // Tables only the profile describes: none without a list, none with an
    // empty one, and a value for a key the list does not give is no row.
    WriteVendorSection("G19.A2.K1=Modem\r\nG15.Rows=\r\n");
    EXPECT_TRUE(vendor::RowKeys(19).empty());
    EXPECT_EQ(Try(19, 2, 1), Result::NoSuchRow);
    EXPECT_EQ(Try(19, 2, 0), Result::NoSuchRow);
    EXPECT_TRUE(vendor::RowKeys(15).empty());
    EXPECT_EQ(Try(15, 2, 0), Result::NoSuchRow);
}

TEST_F(VendorProfileTest, TextsComeBackByteExactAndCutToTheirLength)
{
    // 表 and ソ end in 0x5C, the half-width katakana are single bytes.
    const std::string name = "内蔵 56K ﾃﾞｰﾀ/FAXﾓﾃﾞﾑ 表示ソフト";
    WriteVendorSection("G19.Rows=1\r\nG19.A2.K1=" + name + "\r\n" +
                       "G7.A3=あいうえおかきくけこ\r\n"           // 20 bytes, 16 fit
                       "G7.A1=" + std::string(63, 'x') + "表\r\n");  // the 64th byte starts 表
    const vendor::Value modem = Get(19, 2, 1);
    EXPECT_EQ(modem.type, dmi::kDisplayString);
    EXPECT_EQ(modem.text, name);
    EXPECT_EQ(Get(7, 3, 0).text, "あいうえおかきく");
    EXPECT_EQ(Get(7, 1, 0).text, std::string(63, 'x'));
}

TEST_F(VendorProfileTest, FailMarksAndUnknownAddressesAreRefused)
{
    WriteVendorSection("G19.Rows=1\r\nG19.A2.K1=Modem\r\nG19.A3.K1=57600\r\nG19.A3.K1.Fail=1\r\n"
                       "G14.A1=1\r\nG14.A1.Fail=yes\r\nG6.A2.Fail=0\r\n");
    EXPECT_EQ(Try(19, 3, 1), Result::NoSuchAttribute);
    EXPECT_EQ(Try(19, 3, 0), Result::NoSuchAttribute) << "the first row is row 1";
    EXPECT_EQ(Get(19, 2, 1).text, "Modem");
    EXPECT_EQ(Try(14, 1, 0), Result::NoSuchAttribute);
    EXPECT_EQ(Try(6, 2, 0), Result::Ok);

    EXPECT_EQ(Try(12, 1, 0), Result::NoSuchAttribute) << "no group 12";
    EXPECT_EQ(Try(6, 3, 0), Result::NoSuchAttribute);
    EXPECT_EQ(Try(6, 0, 0), Result::NoSuchAttribute);
    EXPECT_EQ(Try(6, 1, 1), Result::NoSuchRow) << "a key on a scalar group";
    EXPECT_TRUE(vendor::RowKeys(6).empty());
    EXPECT_TRUE(vendor::RowKeys(99).empty());
}

TEST(VendorRowList, KeepsValidKeysOnceUpToTheRowLimit)
{
    const std::string list = " 3,0x10,,3, -1, 4294967295, 4294967296, 7x ,1";
    EXPECT_EQ(vendor::ParseRowList(list.c_str(), list.size()),
              (std::vector<uint32_t>{3, 16, 4294967295u, 1}));
    EXPECT_EQ(vendor::ParseRowList(list.c_str(), 3), (std::vector<uint32_t>{3})) << "only length bytes";

    std::string many;
    for (int key = 1; key <= 300; key++)
        many += std::to_string(key) + ",";
    const std::vector<uint32_t> rows = vendor::ParseRowList(many.c_str(), many.size());
    ASSERT_EQ(rows.size(), vendor::kMaxTableRows);
    EXPECT_EQ(rows.back(), vendor::kMaxTableRows);
}

// Every key of the default profile's [Vendor] section names an attribute
// that is served, of a row that is listed, and its value comes back.
TEST_F(VendorProfileTest, DefaultProfileKeysNameServedValues)
{
    vendor::VendorProfile().UseFile(VENDOR_DEFAULT_PROFILE);
    const std::string text = ReadWholeFile(VENDOR_DEFAULT_PROFILE);
    ASSERT_FALSE(text.empty());
    const size_t start = text.find("\n[Vendor]");
    ASSERT_NE(start, std::string::npos);
    std::istringstream lines(text.substr(start + 1));
    std::string entry;
    std::getline(lines, entry);  // the section's own line
    int keys = 0;
    while (std::getline(lines, entry)) {
        if (!entry.empty() && entry.back() == '\r')
            entry.pop_back();
        if (entry.empty() || entry[0] == ';')
            continue;
        if (entry[0] == '[')
            break;
        const size_t equals = entry.find('=');
        if (equals == std::string::npos)
            continue;
        const std::string name = entry.substr(0, equals);
        const std::string value = entry.substr(equals + 1);
        unsigned group = 0, attribute = 0, key = 0;
        char rest = 0;
        keys++;
        if (std::sscanf(name.c_str(), "G%u.Row%c", &group, &rest) == 2) {
            EXPECT_FALSE(vendor::RowKeys(group).empty()) << name;
            continue;
        }
        const int fields = std::sscanf(name.c_str(), "G%u.A%u.K%u%c", &group, &attribute, &key, &rest);
        ASSERT_TRUE(fields == 2 || fields == 3) << name;
        vendor::Value served;
        ASSERT_EQ(vendor::GetValue(group, attribute, key, &served), Result::Ok) << name;
        EXPECT_EQ(served.type == dmi::kInteger ? std::to_string(served.integer) : served.text, value) << name;
    }
    EXPECT_GT(keys, 0);
}
