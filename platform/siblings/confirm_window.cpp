// A program with a window of the confirm class, which owns bramble's window
// when bramble starts while it is open. It closes when asked.
#include <windows.h>

#include "platform/siblings/sibling_support.h"

namespace {

LRESULT CALLBACK ConfirmProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
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
    const SiblingWindow window = {"ConfirmWndClass", "Confirm", WS_OVERLAPPEDWINDOW, 300, 200, ConfirmProc,
                                  COLOR_WINDOW};
    return RunSiblingWindow(instance, window, showCmd);
}
