// The testbed profile the vendor values are read from: the file that
// HKLM\SOFTWARE\Testbed\Machine "Profile" names, one reader for the process.
// Tests point it at a file of their own with UseFile.
#pragma once

#include "platform/testbed/profile_reader.h"

namespace vendor {

TestbedProfile& VendorProfile();

}  // namespace vendor
