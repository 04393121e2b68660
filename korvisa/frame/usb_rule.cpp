#include "korvisa/frame/usb_rule.h"

namespace korvisa {

bool UsbPageAllowed(const OSVERSIONINFOA& version)
{
    if (version.dwPlatformId != VER_PLATFORM_WIN32_WINDOWS)
        return false;
    if (version.dwMinorVersion != 0)
        return true;
    // Windows 95 itself: its release letter is the first character of the
    // additional text; none, or "A", has no USB support.
    char first = version.szCSDVersion[0];
    return first != '\0' && first != 'A' && first != 'a';
}

}  // namespace korvisa
