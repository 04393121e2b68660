// The SMBIOS system structure (type 1), as group 1 serves it, and the product
// string that decides the model class.
#pragma once

#include <string>

#include "bramble/probes/smbios_fields.h"

namespace bramble {

// The product string is kept in a 64-byte buffer: at most 63 bytes of text.
constexpr size_t kProductStringBytes = 63;

struct SystemInfo {
    bool present = false;  // the table has a type 1 structure
    std::string manufacturer = kNotAvailable;
    std::string product = kNotAvailable;  // the product string
    std::string version = kNotAvailable;
    std::string serialNumber = kNotAvailable;
};

SystemInfo ReadSystem(const SmbiosBytes& table);

}  // namespace bramble
