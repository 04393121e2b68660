// The DMI service layer's browsers, as the viewer's Tools menu starts them:
// the MIF browser (foliant, with the browser window class that bramble
// closes with itself) and the BIOS browser (keelson). Each records how it was
// started and shows a window until it is closed.
#include <windows.h>

#include "platform/siblings/start_record.h"

#ifndef BROWSER_CLASS
#error "BROWSER_CLASS and BROWSER_TITLE name the browser's window"
#endif

namespace {

LRESULT CALLBACK BrowserProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_DESTROY) {
        ::PostQuitMessage(0);
        return 0;
    }
    return ::DefWindowProcA(hwnd, msg, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCmd)
{
    RecordStart();
    WNDCLASSA wc = {};
    wc.lpfnWndProc = BrowserProc;
    wc.hInstance = instance;
    wc.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = BROWSER_CLASS;
    if (!::RegisterClassA(&wc))
        return 1;
    HWND window = ::CreateWindowExA(0, wc.lpszClassName, BROWSER_TITLE, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                    CW_USEDEFAULT, 400, 300, nullptr, nullptr, instance, nullptr);
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
