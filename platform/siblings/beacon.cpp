// The status display's stand-in: the window "状態監視" that the watcher sends
// its status notices to (0x600: wParam the monitor kind, lParam the alarm
// level). It shows the last level of each monitor and records its start.
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "platform/siblings/start_record.h"

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

void Paint(HWND hwnd)
{
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(hwnd, &ps);
    ::SetBkMode(dc, TRANSPARENT);
    HGDIOBJ old = ::SelectObject(dc, ::GetStockObject(DEFAULT_GUI_FONT));
    int y = 8;
    for (size_t i = 0; i < sizeof kMonitors / sizeof kMonitors[0]; ++i) {
        char line[96];
        std::snprintf(line, sizeof line, "%s : %s", kMonitors[i].name, LevelText(s_levels[i]));
        ::SetTextColor(dc, s_levels[i] == 1 ? RGB(192, 0, 0) : RGB(0, 0, 0));
        ::TextOutA(dc, 10, y, line, static_cast<int>(std::strlen(line)));
        y += 20;
    }
    ::SelectObject(dc, old);
    ::EndPaint(hwnd, &ps);
}

LRESULT CALLBACK BeaconProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case kStatusNotice:
        // Notices come from another program: an unknown kind is ignored.
        for (size_t i = 0; i < sizeof kMonitors / sizeof kMonitors[0]; ++i) {
            if (kMonitors[i].kind == wParam) {
                s_levels[i] = lParam >= 0 && lParam <= 2 ? static_cast<int>(lParam) : 3;
                ::InvalidateRect(hwnd, nullptr, TRUE);
            }
        }
        return 0;
    case WM_PAINT:
        Paint(hwnd);
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
    WNDCLASSA wc = {};
    wc.lpfnWndProc = BeaconProc;
    wc.hInstance = instance;
    wc.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = "BeaconStatusDisplay";
    if (!::RegisterClassA(&wc))
        return 1;
    HWND window = ::CreateWindowExA(0, wc.lpszClassName, "状態監視", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU |
                                    WS_MINIMIZEBOX, CW_USEDEFAULT, CW_USEDEFAULT, 260, 160, nullptr, nullptr,
                                    instance, nullptr);
    if (!window)
        return 1;
    ::ShowWindow(window, showCmd);
    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    return 0;
}
