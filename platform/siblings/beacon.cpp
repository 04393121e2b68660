// The status display's stand-in: the window "状態監視" that the watcher sends
// its status notices to (0x600: wParam the monitor kind, lParam the alarm
// level). It shows the last level of each monitor, one line each, and
// records its start.
#include <windows.h>

#include <cstdio>

#include "platform/siblings/sibling_support.h"

namespace {

const UINT kStatusNotice = WM_USER + 512;

// Monitor kinds the watcher reports: drive, memory, printer, failure
// prediction, health.
struct Monitor {
    WPARAM kind;
    const char* name;
};
const Monitor kMonitors[] = {
    {0, "ﾃﾞｨｽｸ"}, {1, "ﾒﾓﾘ"}, {2, "ﾌﾟﾘﾝﾀ"}, {3, "ﾃﾞｨｽｸ予兆"}, {5, "本体"},
};
const int kNoNotice = -1;
const int kUnknownLevel = 3;
int s_levels[sizeof kMonitors / sizeof kMonitors[0]] = {kNoNotice, kNoNotice, kNoNotice, kNoNotice, kNoNotice};

const char* LevelText(int level)
{
    switch (level) {
    case kNoNotice: return "--";
    case 0: return "正常";
    case 1: return "警告";
    case 2: return "監視していません";
    default: return "不明";
    }
}

// One line per monitor, a static control each (ids kFirstLineId + index),
// so other programs can read what the display shows.
const int kFirstLineId = 100;

void ShowLevel(HWND hwnd, size_t index)
{
    char line[96];
    std::snprintf(line, sizeof line, "%s : %s", kMonitors[index].name, LevelText(s_levels[index]));
    ::SetDlgItemTextA(hwnd, kFirstLineId + static_cast<int>(index), line);
}

LRESULT CALLBACK BeaconProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_CREATE: {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        for (size_t i = 0; i < sizeof kMonitors / sizeof kMonitors[0]; ++i) {
            HWND line = ::CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_LEFT, 10,
                                          8 + 20 * static_cast<int>(i), 230, 18, hwnd,
                                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstLineId + i)),
                                          create->hInstance, nullptr);
            if (!line)
                return -1;
            ::SendMessageA(line, WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), 0);
            ShowLevel(hwnd, i);
        }
        return 0;
    }
    case kStatusNotice:
        // Notices come from another program: an unknown kind is ignored, an
        // unknown level shown as such.
        for (size_t i = 0; i < sizeof kMonitors / sizeof kMonitors[0]; ++i) {
            if (kMonitors[i].kind == wParam) {
                s_levels[i] = lParam >= 0 && lParam <= 2 ? static_cast<int>(lParam) : kUnknownLevel;
                ShowLevel(hwnd, i);
            }
        }
        return 0;
    case WM_DESTROY:
        ::PostQuitMessage(0);
        return 0;
    default:
        return ::DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCmd)
{
    RecordStart();
    const SiblingWindow window = {"BeaconStatusDisplay", "状態監視", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU |
                                  WS_MINIMIZEBOX, 260, 160, BeaconProc, COLOR_BTNFACE};
    return RunSiblingWindow(instance, window, showCmd);
}
