// A testbed profile of the test's own for the vendor values: the tests write
// its [Vendor] section, and the vendor component reads it instead of the
// desk's profile.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "platform/vendor/vendor_values.h"

class VendorProfileTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Replaces the profile with a [Vendor] section of these lines.
    void WriteVendorSection(const std::string& lines);

    // The value, which must be there.
    static vendor::Value Get(uint32_t group, uint32_t attribute, uint32_t key);
    static vendor::Result Try(uint32_t group, uint32_t attribute, uint32_t key);

private:
    std::string path_;
};
