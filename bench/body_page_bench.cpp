// Measures how long the body page takes to open: from posting its command
// (32773) to the viewer's main frame until the page is shown with its five
// values, over 20 openings, with the PC's component program running and
// with it stopped (every value then "NA"). Prints median, minimum and
// maximum in milliseconds. Run it on a fresh desk: tools/bench
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "harness/harness.h"
#include "korvisa/tests/body_page_route.h"

namespace {

struct Figures {
    double median = 0, min = 0, max = 0;
    int failed = 0;
};

double Now()
{
    LARGE_INTEGER frequency, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&now);
    return 1e3 * double(now.QuadPart) / double(frequency.QuadPart);
}

// The page once it is visible with all five fields filled, else nullptr.
HWND ShownPage(DWORD processId)
{
    harness::WindowQuery query;
    query.title = body_page::kPageTitle;
    query.processId = processId;
    query.visibleOnly = true;
    HWND page = harness::findWindow(query);
    if (!page)
        return nullptr;
    for (const std::string& field : body_page::ReadFields(page))
        if (field.empty())
            return nullptr;
    return page;
}

Figures Measure(const body_page::Viewer& viewer, int openings)
{
    Figures figures;
    std::vector<double> ms;
    for (int i = 0; i < openings; ++i) {
        double start = Now();
        harness::postMessage(viewer.main, WM_COMMAND, MAKEWPARAM(ID_PAGE_BODY, 0), 0);
        HWND page = nullptr;
        while (!(page = ShownPage(viewer.process.id())) && Now() - start < 10000)
            Sleep(1);
        if (!page) {
            ++figures.failed;
            continue;
        }
        ms.push_back(Now() - start);
        body_page::ClosePage(page);
    }
    if (!ms.empty()) {
        std::sort(ms.begin(), ms.end());
        figures = {ms[ms.size() / 2], ms.front(), ms.back(), figures.failed};
    }
    return figures;
}

void Print(const char* label, const Figures& f)
{
    std::printf("%-34s median %7.1f ms   min %7.1f ms   max %7.1f ms   failed %d\n", label, f.median, f.min, f.max,
                f.failed);
}

}  // namespace

int main(int argc, char** argv)
{
    int openings = argc > 1 ? std::max(5, std::atoi(argv[1])) : 20;
    // A fresh Wine desk has an empty registered owner; the page shows every
    // value non-empty once it has one.
    harness::writeRegistryString(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion",
                                 "RegisteredOwner", "ﾃｽﾄ 花子");
    harness::Process bramble = harness::Process::start("C:\\DMI\\BIN\\bramble.exe", "", "C:\\DMI\\BIN");
    harness::WindowQuery component;
    component.className = "corvanedmici";
    if (!harness::waitForWindow(component, 20000) ||
        !harness::waitUntil([] { return harness::fileExists("C:\\DMI\\db\\mifs\\pcmif.mif"); }, 10000)) {
        std::fprintf(stderr, "the component program did not start\n");
        return 1;
    }
    body_page::Viewer viewer = body_page::StartViewer();
    if (!viewer.main) {
        std::fprintf(stderr, "the viewer did not start\n");
        return 1;
    }
    Figures running = Measure(viewer, openings);
    bramble.stop();
    Figures stopped = Measure(viewer, openings);

    std::printf("body page, %d openings each (post 32773 -> shown with five values)\n", openings);
    Print("with the component program", running);
    Print("with the component program gone", stopped);
    return running.failed || stopped.failed ? 1 : 0;
}
