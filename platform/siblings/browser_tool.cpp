// The DMI service layer's browsers, as the viewer's Tools menu starts them:
// the MIF browser (foliant, with the browser window class that bramble
// closes with itself) and the BIOS browser (keelson). Each records how it was
// started, and every close request it gets as one line of
// "<program>_close.log", then shows its window until it is closed.
#include <windows.h>

#include "platform/siblings/sibling_support.h"

#ifndef BROWSER_CLASS
#error "BROWSER_CLASS and BROWSER_TITLE name the browser's window"
#endif

namespace {

LRESULT CALLBACK BrowserProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_CLOSE:
        AppendBesideProgram(ProgramBaseName() + "_close.log", "WM_CLOSE\r\n");
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
    RecordStart();
    const SiblingWindow window = {BROWSER_CLASS, BROWSER_TITLE, WS_OVERLAPPEDWINDOW, 400, 300, BrowserProc,
                                  COLOR_WINDOW};
    return RunSiblingWindow(instance, window, showCmd);
}
