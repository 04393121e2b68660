// The main frame of the installed viewer on a fresh desk: the tools it
// starts, where it comes back to, and what it does when it ends.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>

#include "harness/harness.h"
#include "korvisa/tests/viewer_desk.h"

using namespace viewer_desk;

namespace {

const char kScreenKey[] = "SOFTWARE\\Corvane\\Lanternfish\\HelpDesk\\Screen\\SystemViewer";
const UINT kCmdStatusMonitor = 32793, kCmdMifBrowser = 32797, kCmdBiosBrowser = 32945, kCmdPreserve = 32802;

std::string Lower(std::string s)
{
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

// The record a sibling tool writes when it starts: its command line and
// working directory.
struct StartRecord {
    std::string command, directory;
};

bool ReadStartRecord(const std::string& log, StartRecord& out)
{
    auto text = harness::readFile(log);
    if (!text)
        return false;
    size_t c = text->find("command="), d = text->find("\r\ndirectory=");
    if (c == std::string::npos || d == std::string::npos || d < c)
        return false;
    out.command = text->substr(c + 8, d - c - 8);
    size_t start = d + 12, end = text->find("\r\n", start);
    if (end == std::string::npos)
        return false;
    out.directory = text->substr(start, end - start);
    return true;
}

RECT DesktopRect()
{
    RECT r;
    GetWindowRect(GetDesktopWindow(), &r);
    return r;
}

}  // namespace

TEST(FrameDesk, ToolCommandsStartTheInstalledToolsInTheirFolders)
{
    harness::Process viewer = Start();
    HWND main = WaitForMainWindow(viewer.id());
    ASSERT_NE(main, nullptr);

    struct Tool {
        UINT command;
        const char* log;
        const char* program;
        const char* directory;   // the status display starts in the DMI folder; the browsers in the viewer's
    };
    const Tool tools[] = {
        {kCmdStatusMonitor, "C:\\HELMSET\\BIN\\beacon_start.log", "c:\\helmset\\bin\\beacon.exe", "c:\\dmi\\win32\\bin"},
        {kCmdMifBrowser, "C:\\DMI\\Win32\\Bin\\foliant_start.log", "c:\\dmi\\win32\\bin\\foliant.exe", "c:\\helmset\\bin"},
        {kCmdBiosBrowser, "C:\\DMI\\Win32\\Bin\\keelson_start.log", "c:\\dmi\\win32\\bin\\keelson.exe", "c:\\helmset\\bin"},
    };
    for (const Tool& tool : tools) {
        SCOPED_TRACE(tool.program);
        ASSERT_TRUE(harness::postMessage(main, WM_COMMAND, tool.command, 0));
        StartRecord record;
        ASSERT_TRUE(harness::waitUntil([&] { return ReadStartRecord(tool.log, record); }));
        EXPECT_NE(Lower(record.command).find(tool.program), std::string::npos) << record.command;
        EXPECT_EQ(tool.directory, Lower(record.directory));
    }

    // The status display shows the window the watcher sends its notices to.
    harness::WindowQuery display;
    display.title = "状態監視";
    HWND beacon = harness::waitForWindow(display);
    ASSERT_NE(beacon, nullptr);
    EXPECT_TRUE(harness::closeWindow(beacon));
    for (const char* browser : {"CorvaneDMIBrowser32", "CorvaneBIOSBrowser32"}) {
        harness::WindowQuery query;
        query.className = browser;
        HWND window = harness::waitForWindow(query);
        ASSERT_NE(window, nullptr) << browser;
        EXPECT_TRUE(harness::closeWindow(window));
    }
    EXPECT_TRUE(harness::closeWindow(main));
}

TEST(FrameDesk, SavedPositionOffTheDesktopComesBackCentredAndIsKeptAtTheEnd)
{
    RECT desktop = DesktopRect();
    std::string right = std::to_string(desktop.right + 100) + " 50 " + std::to_string(desktop.right + 700) + " 500";
    ASSERT_TRUE(harness::writeRegistryString(HKEY_LOCAL_MACHINE, kScreenKey, "PositionMain", right));
    harness::Process viewer = Start("/Embedding");
    HWND main = WaitForMainWindow(viewer.id());
    ASSERT_NE(main, nullptr);

    const LONG x = desktop.left + (desktop.right - desktop.left - 600) / 2;
    const LONG y = desktop.top + (desktop.bottom - desktop.top - 450) / 2;
    ASSERT_TRUE(harness::waitUntil([&] {
        auto r = harness::windowRect(main);
        return r && r->left == x && r->top == y;
    }));
    auto placed = harness::windowRect(main);
    EXPECT_EQ(600, placed->right - placed->left);
    EXPECT_EQ(450, placed->bottom - placed->top);

    EXPECT_TRUE(harness::closeWindow(main));
    ASSERT_TRUE(viewer.wait().has_value());
    EXPECT_EQ(std::to_string(x) + " " + std::to_string(y) + " " + std::to_string(x + 600) + " " +
                  std::to_string(y + 450),
              harness::readRegistryString(HKEY_LOCAL_MACHINE, kScreenKey, "PositionMain").value_or("(none)"));
    EXPECT_EQ(1u, harness::readRegistryDword(HKEY_LOCAL_MACHINE, kScreenKey, "Preserve").value_or(7));
}

TEST(FrameDesk, PositionsSwitchedOffKeepNoPosition)
{
    ASSERT_TRUE(harness::deleteRegistryValue(HKEY_LOCAL_MACHINE, kScreenKey, "PositionMain"));
    harness::Process viewer = Start("/Embedding");
    HWND main = WaitForMainWindow(viewer.id());
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(harness::postMessage(main, WM_COMMAND, kCmdPreserve, 0));
    EXPECT_TRUE(harness::closeWindow(main));
    ASSERT_TRUE(viewer.wait().has_value());
    EXPECT_EQ(0u, harness::readRegistryDword(HKEY_LOCAL_MACHINE, kScreenKey, "Preserve").value_or(7));
    EXPECT_FALSE(harness::readRegistryString(HKEY_LOCAL_MACHINE, kScreenKey, "PositionMain").has_value());
}

namespace {

LRESULT CALLBACK RemoteListProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

}  // namespace

TEST(FrameDesk, LogOffQueryEndsTheViewerKeepsItsPositionAndClosesTheRemoteList)
{
    // The remote viewer's computer list, played by a window of this test.
    WNDCLASSA wc = {};
    wc.lpfnWndProc = RemoteListProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "FrameDeskRemoteList";
    RegisterClassA(&wc);
    HWND remote = CreateWindowExA(0, wc.lpszClassName, "ﾘﾓｰﾄﾋﾞｭｰｱ - ｺﾝﾋﾟｭｰﾀﾘｽﾄ", WS_OVERLAPPEDWINDOW, 0, 0, 200,
                                  100, nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(remote, nullptr);

    harness::Process viewer = Start("/Embedding");
    HWND main = WaitForMainWindow(viewer.id());
    ASSERT_NE(main, nullptr);
    Sleep(300);   // placed by then
    auto rect = harness::windowRect(main);
    ASSERT_TRUE(rect.has_value());

    // While this waits for the answer, the viewer's close request to the
    // list arrives here and is handled.
    auto agreed = harness::sendMessage(main, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF);
    ASSERT_TRUE(agreed.has_value());
    EXPECT_TRUE(*agreed);
    EXPECT_TRUE(harness::waitUntil([&] {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
        return !IsWindow(remote);
    }));
    EXPECT_TRUE(viewer.wait().has_value());   // the posted close request ended it
    char expected[64];
    wsprintfA(expected, "%d %d %d %d", rect->left, rect->top, rect->right, rect->bottom);
    EXPECT_EQ(expected, harness::readRegistryString(HKEY_LOCAL_MACHINE, kScreenKey, "PositionMain").value_or(""));
    if (IsWindow(remote))
        DestroyWindow(remote);
}
