// Groups 10 and 11, the keyboard and mouse settings of the control panel.
// Keyboard: attribute 1 the repeat delay (0 to 3), 2 the repeat rate (0 to
// 31). Mouse: attribute 1 the pointer speed as the seven steps of the mouse
// control panel's slider (0 slowest to 6 fastest), 2 the double-click time in
// milliseconds.
#pragma once

#include <cstdint>

#include "platform/vendor/vendor_values.h"

namespace vendor {

// The slider step of a pointer speed setting of 1 to 20 (Windows 98 and
// later), rounded to the nearest step; -1 when outside 1 to 20.
int PointerStepFromSpeed(int speed);

// The slider step of the acceleration settings (two thresholds and the
// acceleration level) that Windows 95 and NT 4.0 keep instead: no
// acceleration is step 0; level 1 gives steps 1 to 3 as the first threshold
// falls, level 2 steps 4 to 6 as the second falls.
int PointerStepFromAcceleration(int threshold1, int threshold2, int acceleration);

bool ReadKeyboardValue(uint32_t key, uint32_t attribute, Value* out);
bool ReadMouseValue(uint32_t key, uint32_t attribute, Value* out);

}  // namespace vendor
