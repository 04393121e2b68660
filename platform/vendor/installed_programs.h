// Group 20, the installed programs that Add/Remove Programs lists: the
// subkeys of HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall that
// have a DisplayName, keyed 1, 2, ... in the registry's order. Attribute 2
// the program's name, 3 its version, 4 its publisher, 5 where it is
// installed, 6 the name of its uninstall key, 7 the uninstall command.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/vendor/vendor_values.h"

namespace vendor {

std::vector<uint32_t> ReadInstalledProgramRows();
bool ReadInstalledProgramValue(uint32_t key, uint32_t attribute, Value* out);

}  // namespace vendor
