// Group 7, the display as it is set now: attribute 1 the monitor's model name
// (the system cannot tell it: only the profile gives it), 2 the colour depth
// as text, 3 the refresh rate in hertz as text ("" when the display runs at
// the hardware's default rate, which Windows reports as 0 or 1).
#pragma once

#include <cstdint>
#include <string>

#include "platform/vendor/vendor_values.h"

namespace vendor {

std::string RefreshRateText(uint32_t hertz);

bool ReadCurrentDisplayValue(uint32_t key, uint32_t attribute, Value* out);

}  // namespace vendor
