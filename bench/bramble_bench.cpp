// Measures bramble on a desk and prints:
//   (a) cold start to ready: bramble started with the proto-MIF in place until
//       its window exists, its bridge areas are created and the MIF is written,
//   (b) the start of a trivial program on the same desk (this program, asked
//       to end at once), for comparison,
//   (c) a bridged get from a client process for a refresh group (2) and a
//       table group (6), median and 99th percentile.
// Run it on a fresh desk: tools/bench
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench/measure.h"
#include "harness/harness.h"
#include "platform/dmi/bridge_client.h"

namespace {

const char kBramble[] = "C:\\DMI\\BIN\\bramble.exe";
const char kBinDir[] = "C:\\DMI\\BIN";
const char kMifs[] = "C:\\DMI\\db\\mifs\\";

bool AreaExists()
{
    HANDLE area = OpenFileMappingA(FILE_MAP_READ, FALSE, "HELMSETMIFDATA");
    if (!area) return false;
    CloseHandle(area);
    return true;
}

// Puts the proto-MIF back and removes the generated MIF, so the next start
// generates it again, as a first start does.
bool ResetMif()
{
    const std::string proto = std::string(kMifs) + "pcmif.corvane";
    const std::string backup = std::string(kMifs) + "backup\\pcmif.corvane";
    harness::deleteFile(std::string(kMifs) + "pcmif.mif");
    if (harness::fileExists(backup) && !MoveFileExA(backup.c_str(), proto.c_str(), MOVEFILE_REPLACE_EXISTING))
        return false;
    return harness::fileExists(proto);
}

// Microseconds from the start until bramble is ready; negative on failure.
double ColdStart()
{
    if (!ResetMif()) return -1;
    LARGE_INTEGER a, b;
    QueryPerformanceCounter(&a);
    auto bramble = harness::Process::start(kBramble, "", kBinDir);
    if (!bramble.valid()) return -1;
    harness::WindowQuery query;
    query.className = "corvanedmici";
    query.processId = bramble.id();
    // Polled every millisecond: the harness's own waits poll too coarsely.
    bool ready = false;
    const DWORD deadline = GetTickCount() + 30000;
    while (!ready && static_cast<LONG>(deadline - GetTickCount()) > 0) {
        ready = harness::findWindow(query) && AreaExists() && harness::fileExists(std::string(kMifs) + "pcmif.mif");
        if (!ready) Sleep(1);
    }
    QueryPerformanceCounter(&b);
    bramble.stop();
    harness::waitUntil([] { return !AreaExists(); }, 5000);
    return ready ? bench::Microseconds(a, b) : -1;
}

double TrivialStart(const char* self)
{
    LARGE_INTEGER a, b;
    QueryPerformanceCounter(&a);
    auto trivial = harness::Process::start(self, "--end-at-once");
    if (!trivial.valid() || !trivial.wait(30000)) return -1;
    QueryPerformanceCounter(&b);
    return bench::Microseconds(a, b);
}

void Print(const char* what, const bench::Figures& f)
{
    std::printf("%-34s median %10.1f us   p99 %10.1f us\n", what, f.median, f.p99);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc > 1 && std::string(argv[1]) == "--end-at-once") return 0;
    const int starts = 10, rounds = 500;

    std::vector<double> cold, trivial;
    for (int i = 0; i < starts; ++i) {
        const double c = ColdStart();
        const double t = TrivialStart(argv[0]);
        if (c < 0 || t < 0) {
            std::fprintf(stderr, "start %d failed\n", i);
            return 1;
        }
        cold.push_back(c);
        trivial.push_back(t);
    }

    auto bramble = harness::Process::start(kBramble, "", kBinDir);
    if (!bramble.valid() || !harness::waitUntil(AreaExists, 30000)) {
        std::fprintf(stderr, "bramble did not start\n");
        return 1;
    }
    MifAnswer answer;
    const uint32_t key = 1;
    if (service::BridgeGet(1, 2, 1, nullptr, 0, 5000, &answer) != 0 ||
        service::BridgeGet(1, 6, 3, &key, 1, 5000, &answer) != 0) {
        std::fprintf(stderr, "bridged reads failed\n");
        return 1;
    }
    const bench::Figures refresh =
        bench::Measure(rounds, [&] { service::BridgeGet(1, 2, 1, nullptr, 0, 5000, &answer); });
    const bench::Figures table = bench::Measure(rounds, [&] { service::BridgeGet(1, 6, 3, &key, 1, 5000, &answer); });
    bramble.stop();

    std::printf("starts: %d, reads: %d\n", starts, rounds);
    Print("(a) bramble cold start to ready", bench::Summarise(cold));
    Print("(b) trivial program start and end", bench::Summarise(trivial));
    Print("(c) bridged get, group 2 (refresh)", refresh);
    Print("    bridged get, group 6 (table)", table);
    return 0;
}
