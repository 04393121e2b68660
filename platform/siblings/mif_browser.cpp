// The MIF browser's stand-in: a window of the browser's class that writes
// one line into browser_close.log beside the program for every close request
// it gets, then closes.
#include <windows.h>

#include <cstring>

namespace {

void RecordClose()
{
    char path[MAX_PATH + 32] = "";
    DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return;
    char* slash = std::strrchr(path, '\\');
    if (!slash)
        return;
    std::strcpy(slash + 1, "browser_close.log");
    HANDLE file = ::CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    const char line[] = "WM_CLOSE\r\n";
    DWORD written = 0;
    ::WriteFile(file, line, sizeof line - 1, &written, nullptr);
    ::CloseHandle(file);
}

LRESULT CALLBACK BrowserProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_CLOSE:
        RecordClose();
        ::DestroyWindow(hwnd);
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
    WNDCLASSA wc = {};
    wc.lpfnWndProc = BrowserProc;
    wc.hInstance = instance;
    wc.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = "CorvaneDMIBrowser32";
    if (!::RegisterClassA(&wc))
        return 1;
    HWND window = ::CreateWindowExA(0, wc.lpszClassName, "MIF Browser", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
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
