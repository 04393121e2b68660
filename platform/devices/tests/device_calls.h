#pragma once
// Opening the hardware-monitor driver and asking it, exactly as the suite's
// programs do, for the desk tests and their NT-mode client.
#include <windows.h>

#include <string>
#include <vector>

namespace devices_test {

// The Windows 95/98 open of the health and instrumentation probes: no access,
// no sharing, create-new, delete-on-close.
inline HANDLE open9x(const char* name) {
    return CreateFileA(name, 0, 0, nullptr, CREATE_NEW, FILE_FLAG_DELETE_ON_CLOSE, nullptr);
}

// The Windows NT open: read and write, shared read and write, existing device.
inline HANDLE openNt(const char* name) {
    return CreateFileA(name, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                       nullptr, OPEN_EXISTING, 0, nullptr);
}

struct CallResult {
    bool ok = false;
    DWORD error = 0;
    DWORD returned = 0;
    std::vector<unsigned char> out;  // the output buffer, returned bytes only
};

inline CallResult call(HANDLE device, DWORD code, const std::vector<unsigned char>& in,
                       DWORD outSize) {
    CallResult r;
    std::vector<unsigned char> input(in);
    std::vector<unsigned char> output(outSize ? outSize : 1, 0xCC);
    SetLastError(0);
    r.ok = DeviceIoControl(device, code, input.empty() ? nullptr : input.data(),
                           static_cast<DWORD>(input.size()), outSize ? output.data() : nullptr,
                           outSize, &r.returned, nullptr) != FALSE;
    r.error = r.ok ? 0 : GetLastError();
    if (r.ok && r.returned <= outSize) output.resize(r.returned);
    else output.clear();
    r.out = output;
    return r;
}

inline unsigned long dwordAt(const std::vector<unsigned char>& b, size_t at) {
    return b.size() < at + 4 ? 0xFFFFFFFFUL
                             : b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) |
                                   (static_cast<unsigned long>(b[at + 3]) << 24);
}

inline unsigned wordAt(const std::vector<unsigned char>& b, size_t at) {
    return b.size() < at + 2 ? 0xFFFFFFFFU : b[at] | (b[at + 1] << 8);
}

}  // namespace devices_test
