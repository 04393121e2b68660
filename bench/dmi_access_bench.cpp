// Measures how long the viewer's attribute reads take on a desk, and prints
// median and 99th percentile for:
//   (a) a static value from a MIF,
//   (b) a value bridged to a responder process (semaphore, shared areas,
//       window message),
//   (c) a bare cross-process SendMessage round trip, the floor of (b).
// Run it on a fresh desk: tools/bench
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench/measure.h"
#include "harness/harness.h"
#include "korvisa/dmi/command_layer.h"
#include "korvisa/dmi/dmi_access.h"

using namespace korvisa::dmi;
using bench::Figures;
using bench::Measure;

namespace {

const char kMif[] = R"(start component
  name = "Bench PC"
  start path name = "CORVANEDI" win32 = direct-interface end path
  start group name = "Vendor" class = "DMTF|Lanternfish|1.0" id = 1
    start attribute name = "Label" id = 1 type = string(32) value = "static text" end attribute
  end group
  start group name = "Rows" class = "X|Rows|1" id = 5 key = 1
    start attribute name = "Index" id = 1 type = integer value = *"CORVANEDI" end attribute
    start attribute name = "Text" id = 2 type = string(16) value = *"CORVANEDI" end attribute
  end group
end component
)";

}  // namespace

int main(int argc, char** argv)
{
    int rounds = argc > 1 ? std::max(100, atoi(argv[1])) : 2000;
    if (!harness::writeFile("C:\\DMI\\db\\mifs\\bench.mif", kMif)) {
        std::fprintf(stderr, "cannot write the MIF\n");
        return 1;
    }
    HMODULE library = LoadLibraryA("sextant32.dll");
    auto entry = library ? reinterpret_cast<ServiceEntry>(
                               reinterpret_cast<void*>(GetProcAddress(library, MAKEINTRESOURCEA(3))))
                         : nullptr;
    if (!entry) {
        std::fprintf(stderr, "no service layer\n");
        return 1;
    }
    SetServiceEntry(entry);
    harness::Process responder = harness::Process::start(harness::fromUnixPath(BRIDGE_RESPONDER));
    harness::WindowQuery query;
    query.className = "corvanedmici";
    HWND window = harness::waitForWindow(query);
    if (!window) {
        std::fprintf(stderr, "no responder\n");
        return 1;
    }

    DmiAccess access;
    std::string text;
    access.SetGroup(1);
    if (!access.GetString(1, &text) || text != "static text") {
        std::fprintf(stderr, "static read failed: %u\n", access.LastStatus());
        return 1;
    }
    Figures a = Measure(rounds, [&] { access.GetString(1, &text); });
    access.SetGroup(5);
    if (!access.GetString(2, 2, &text) || text != "row 2") {
        std::fprintf(stderr, "bridged read failed: %u\n", access.LastStatus());
        return 1;
    }
    Figures b = Measure(rounds, [&] { access.GetString(2, 2, &text); });
    DWORD_PTR answer = 0;
    Figures c = Measure(rounds, [&] { SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &answer); });

    std::printf("rounds: %d\n", rounds);
    std::printf("(a) static MIF value     median %8.1f us   p99 %8.1f us\n", a.median, a.p99);
    std::printf("(b) bridged value        median %8.1f us   p99 %8.1f us\n", b.median, b.p99);
    std::printf("(c) bare SendMessage     median %8.1f us   p99 %8.1f us\n", c.median, c.p99);
    std::printf("ratios of medians: (b)/(c) = %.1f   (a)/(c) = %.1f\n", b.median / c.median, a.median / c.median);
    return 0;
}
