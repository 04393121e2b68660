#include "bramble/app/process_state.h"

#include <cstring>

namespace bramble {

ProcessState& State()
{
    static ProcessState state;
    return state;
}

PlatformKind QueryPlatformKind()
{
    OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = sizeof info;
    if (!::GetVersionExA(&info))
        return kPlatformUnknown;
    if (info.dwPlatformId == VER_PLATFORM_WIN32_NT)
        return kPlatformWindowsNt;
    if (info.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS)
        return kPlatformWindows9x;
    return kPlatformUnknown;
}

HANDLE OpenInstrumentationDriver(PlatformKind kind)
{
    if (kind == kPlatformWindows9x)
        return ::CreateFileA("\\\\.\\VCORVANEDMID.VXD", 0, 0, nullptr, CREATE_NEW, FILE_FLAG_DELETE_ON_CLOSE,
                             nullptr);
    if (kind == kPlatformWindowsNt)
        return ::CreateFileA("\\\\.\\CORVANEDMI", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                             nullptr, OPEN_EXISTING, 0, nullptr);
    return INVALID_HANDLE_VALUE;
}

void CopyBounded(char* buffer, size_t size, const char* text)
{
    if (!buffer || size == 0)
        return;
    size_t used = 0;
    while (text && text[used] != '\0') {
        size_t step = ::IsDBCSLeadByte(static_cast<BYTE>(text[used])) && text[used + 1] != '\0' ? 2 : 1;
        if (used + step > size - 1)
            break;
        used += step;
    }
    if (used)
        std::memcpy(buffer, text, used);
    buffer[used] = '\0';
}

}  // namespace bramble
