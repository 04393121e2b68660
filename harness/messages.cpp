#include "harness/messages.h"

#include "harness/window.h"

namespace harness {

bool postMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return PostMessageA(window, message, wParam, lParam) != FALSE;
}

std::optional<LRESULT> sendMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                   DWORD timeoutMs) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, timeoutMs,
                             &result)) {
        return std::nullopt;
    }
    return static_cast<LRESULT>(result);
}

bool closeWindow(HWND window, DWORD timeoutMs) {
    return postMessage(window, WM_CLOSE) && waitForWindowGone(window, timeoutMs);
}

std::optional<DWORD> closeProcess(const Process& process, DWORD timeoutMs) {
    if (!process.valid()) return std::nullopt;
    for (HWND window : topLevelWindows(process.id())) {
        if (IsWindowVisible(window)) postMessage(window, WM_CLOSE);
    }
    return process.wait(timeoutMs);
}

}  // namespace harness
