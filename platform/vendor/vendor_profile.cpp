#include "platform/vendor/vendor_profile.h"

namespace vendor {

TestbedProfile& VendorProfile()
{
    static TestbedProfile profile;
    return profile;
}

}  // namespace vendor
