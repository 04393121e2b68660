// How desk tests and benchmarks open the body page: the viewer is started on
// the desk and command 32773 is posted to its main frame, as a click on the
// body region or the menu does.
#pragma once
#include <array>
#include <string>

#include "harness/harness.h"
#include "korvisa/res/page_ids.h"
#include "korvisa/res/resource.h"
#include "korvisa/tests/viewer_desk.h"

namespace body_page {

inline const char kPageTitle[] = "情報表示－本体";
constexpr int kFieldIds[5] = {IDC_BODY_USER, IDC_BODY_COMPUTER, IDC_BODY_MODEL, IDC_BODY_FAMILY, IDC_BODY_CLOCK};
using Fields = std::array<std::string, 5>;

struct Viewer {
    harness::Process process;
    HWND main = nullptr;
};

// Starts the viewer and waits until its set-up has told what it had to
// tell (no computer type without the PC's component program, pictures
// that are not installed); those messages are answered.
inline Viewer StartViewer()
{
    Viewer viewer;
    viewer.process = viewer_desk::Start();
    viewer.main = viewer_desk::WaitForMainWindow(viewer.process.id());
    while (HWND box = harness::waitForMessageBox(viewer_desk::kBoxCaption, viewer.process.id(), 1500))
        harness::answerMessageBox(box, IDOK);
    return viewer;
}

// Posts the command and waits for the page to be shown; nullptr on timeout.
inline HWND OpenPage(const Viewer& viewer, DWORD timeoutMs = harness::kDefaultTimeoutMs)
{
    if (!harness::postMessage(viewer.main, WM_COMMAND, MAKEWPARAM(ID_PAGE_BODY, 0), 0))
        return nullptr;
    harness::WindowQuery query;
    query.title = kPageTitle;
    query.processId = viewer.process.id();
    query.visibleOnly = true;
    return harness::waitForWindow(query, timeoutMs);
}

inline Fields ReadFields(HWND page)
{
    Fields fields;
    for (size_t i = 0; i < fields.size(); ++i)
        fields[i] = harness::controlText(page, kFieldIds[i]).value_or("(no answer)");
    return fields;
}

// Closes the page with its own button.
inline bool ClosePage(HWND page)
{
    return harness::pressButton(page, IDC_BODY_CLOSE) && harness::waitForWindowGone(page);
}

}  // namespace body_page
