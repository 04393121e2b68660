// Opens the hardware-monitor driver in the Windows version Wine gives this
// program, sends one control code and writes what came back, so that a desk
// test can check the NT branch from its own Windows 98 process.
//
//   devices_client RESULTFILE NAME nt|9x CODE INSIZE OUTSIZE
//
// The input is INSIZE bytes of 0. The result file holds one line
// "open=<0|error> ok=<0|1> error=<n> returned=<n> version=<GetVersion high bit>"
// followed by the returned bytes. Exit code 0 when the file was written.
#include "platform/devices/tests/device_calls.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 7) return 2;
    const char* name = argv[2];
    bool nt = std::string(argv[3]) == "nt";
    DWORD code = std::strtoul(argv[4], nullptr, 0);
    std::vector<unsigned char> in(std::strtoul(argv[5], nullptr, 0), 0);
    DWORD outSize = std::strtoul(argv[6], nullptr, 0);

    HANDLE device = nt ? devices_test::openNt(name) : devices_test::open9x(name);
    DWORD openError = device == INVALID_HANDLE_VALUE ? GetLastError() : 0;
    devices_test::CallResult r;
    if (device != INVALID_HANDLE_VALUE) {
        r = devices_test::call(device, code, in, outSize);
        CloseHandle(device);
    }
    FILE* f = std::fopen(argv[1], "wb");
    if (!f) return 3;
    std::fprintf(f, "open=%lu ok=%d error=%lu returned=%lu nt=%d\n", openError, r.ok ? 1 : 0,
                 r.error, r.returned, (GetVersion() & 0x80000000UL) ? 0 : 1);
    if (!r.out.empty()) std::fwrite(r.out.data(), 1, r.out.size(), f);
    std::fclose(f);
    return 0;
}
