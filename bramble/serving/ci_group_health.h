// Group 32, system health, as the entry points serve it: the raw values of the
// health monitor (asked for with message 0x48C, changed with 0x48B on
// bramble's window) turned into what the service layer sees, and back:
// temperature limits in degrees Celsius, voltages as texts in volts, the
// current temperature as a signed 16-bit value, the rest as they are.
#pragma once
#include <windows.h>

#include "bramble/serving/attribute_bridge.h"

namespace bramble {

constexpr ULONG kHealthGroupId = 32;

// The attribute's value; null for an id the group does not have, while the
// monitor is off, or when no reading could be had. Without a window the
// monitor is asked directly.
AttributeResult* HealthGroupGet(HWND window, ULONG attribute);

// A set with the value in its DMI encoding (in a buffer of at least 4 bytes,
// and 4 + length for a text): 1 when it was taken or changes nothing, 0 when
// it was refused (a voltage text that is no number, too long or below 0.1, a
// limit the driver or the file did not take, the monitor off).
ULONG HealthGroupSet(HWND window, ULONG attribute, const void* value);

}  // namespace bramble
