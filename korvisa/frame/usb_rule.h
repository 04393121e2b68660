// Which systems the USB device page opens on: the USB enumeration library
// works only on the Windows 95 family, and on the first Windows 95 only with
// the later service releases.
#pragma once
#include <windows.h>

namespace korvisa {

bool UsbPageAllowed(const OSVERSIONINFOA& version);

}  // namespace korvisa
