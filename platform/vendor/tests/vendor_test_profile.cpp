#include "platform/vendor/tests/vendor_test_profile.h"

#include <windows.h>

#include "platform/testbed/tests/test_files.h"
#include "platform/vendor/vendor_profile.h"

void VendorProfileTest::SetUp()
{
    path_ = TempFilePath("vendor.ini");
    WriteVendorSection("");
    vendor::VendorProfile().UseFile(path_.c_str());
}

void VendorProfileTest::TearDown()
{
    vendor::VendorProfile().UseFile(nullptr);
    DeleteFileA(path_.c_str());
}

void VendorProfileTest::WriteVendorSection(const std::string& lines)
{
    ASSERT_TRUE(WriteWholeFile(path_, "[Vendor]\r\n" + lines));
}

vendor::Value VendorProfileTest::Get(uint32_t group, uint32_t attribute, uint32_t key)
{
    vendor::Value value;
    EXPECT_EQ(vendor::GetValue(group, attribute, key, &value), vendor::Result::Ok)
        << "group " << group << " attribute " << attribute << " key " << key;
    return value;
}

vendor::Result VendorProfileTest::Try(uint32_t group, uint32_t attribute, uint32_t key)
{
    vendor::Value value;
    return vendor::GetValue(group, attribute, key, &value);
}
