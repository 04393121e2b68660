// Group 8, the video adapter: attribute 1 the video chip, as the display
// driver registered it.
#pragma once

#include <cstdint>
#include <string>

#include "platform/vendor/vendor_values.h"

namespace vendor {

// The registry key (under HKEY_LOCAL_MACHINE) that an NT video device entry
// such as "\Registry\Machine\System\CurrentControlSet\Services\vga\Device0"
// names; "" when it does not name a key of the local machine.
std::string LocalMachineKeyOfDeviceEntry(const std::string& entry);

bool ReadVideoAdapterValue(uint32_t key, uint32_t attribute, Value* out);

}  // namespace vendor
