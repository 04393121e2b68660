// The SMBIOS enclosure structure (type 3), as group 16 serves it.
#pragma once

#include <string>

#include "bramble/probes/smbios_fields.h"

namespace bramble {

constexpr unsigned kEnclosureUnknown = 2;  // served without an enclosure structure

struct EnclosureInfo {
    bool present = false;       // the table has a type 3 structure
    unsigned type = kEnclosureUnknown;  // chassis type, bit 7 (the lock) removed
    bool locked = false;        // bit 7 of byte 5: the chassis has a lock
    std::string assetTag = kNotAvailable;
};

// The enclosure type is byte 5 without its lock bit (2 without a structure or
// without the byte); model class 50 forces 3 (desktop), classes 51 and 52
// force 6 (mini tower), whatever the structure says.
EnclosureInfo ReadEnclosure(const SmbiosBytes& table, unsigned modelClass);

}  // namespace bramble
