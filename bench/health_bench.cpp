// Measures bramble's group 32 on a desk, through the bridge as the service
// layer reaches it, and prints median and 99th percentile for:
//   (a) a stored limit (no driver call),
//   (b) a current reading (a driver call under the hardware-monitor mutex),
//   (c) a limit set (the driver call and the write of SHEALTH.DAT).
// Run it on a fresh desk: tools/bench
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "harness/harness.h"
#include "platform/dmi/bridge_client.h"

namespace {

struct Figures {
    double median, p99;
};

template <class Call>
Figures Measure(int rounds, Call call)
{
    LARGE_INTEGER frequency, a, b;
    QueryPerformanceFrequency(&frequency);
    std::vector<double> us;
    us.reserve(rounds);
    for (int i = 0; i < rounds; ++i) {
        QueryPerformanceCounter(&a);
        call(i);
        QueryPerformanceCounter(&b);
        us.push_back(1e6 * double(b.QuadPart - a.QuadPart) / double(frequency.QuadPart));
    }
    std::sort(us.begin(), us.end());
    return {us[us.size() / 2], us[std::min(us.size() - 1, us.size() * 99 / 100)]};
}

}  // namespace

int main(int argc, char** argv)
{
    int rounds = argc > 1 ? std::max(100, atoi(argv[1])) : 2000;
    harness::Process bramble = harness::Process::start("C:\\DMI\\BIN\\bramble.exe", "", "C:\\DMI\\BIN");
    bool serving = bramble.valid() && harness::waitUntil([] {
        HANDLE area = OpenFileMappingA(FILE_MAP_READ, FALSE, "HELMSETMIFDATA");
        if (area)
            CloseHandle(area);
        return area != nullptr;
    }, 20000);
    MifAnswer answer;
    if (!serving || service::BridgeGet(1, 32, 20, nullptr, 0, 5000, &answer) != 0) {
        std::fprintf(stderr, "bramble does not serve group 32\n");
        return 1;
    }
    uint32_t failures = 0;
    Figures a = Measure(rounds, [&](int) { failures += service::BridgeGet(1, 32, 1, nullptr, 0, 5000, &answer) != 0; });
    Figures b = Measure(rounds, [&](int) { failures += service::BridgeGet(1, 32, 20, nullptr, 0, 5000, &answer) != 0; });
    Figures c = Measure(rounds, [&](int i) {
        const char* text = i % 2 ? "5.6" : "5.7";
        char value[8] = {3, 0, 0, 0};
        std::memcpy(value + 4, text, 3);
        uint32_t result = 0;
        failures += service::BridgeSet(1, 32, 9, nullptr, 0, value, 7, 5000, &result) != 0 || result != 1;
    });
    std::printf("rounds: %d (failed requests: %u)\n", rounds, failures);
    std::printf("(a) stored limit         median %8.1f us   p99 %8.1f us\n", a.median, a.p99);
    std::printf("(b) current reading      median %8.1f us   p99 %8.1f us\n", b.median, b.p99);
    std::printf("(c) limit set and stored median %8.1f us   p99 %8.1f us\n", c.median, c.p99);
    return failures ? 1 : 0;
}
