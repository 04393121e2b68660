#pragma once
// Finding top-level windows and reading windows of other processes.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "harness/wait.h"

namespace harness {

// What a top-level window must match. Unset fields match anything. The title
// is code page 932 bytes compared exactly; the class name ignores case.
struct WindowQuery {
    std::optional<std::string> className;
    std::optional<std::string> title;
    DWORD processId = 0;       // 0: any process
    bool visibleOnly = false;  // skip windows not (yet) shown
};

// The first matching top-level window, or nullptr.
HWND findWindow(const WindowQuery& query);
// Polls until a matching window exists; nullptr on timeout.
HWND waitForWindow(const WindowQuery& query, DWORD timeoutMs = kDefaultTimeoutMs);
// Polls until the window is destroyed.
bool waitForWindowGone(HWND window, DWORD timeoutMs = kDefaultTimeoutMs);

// Every top-level window of a process, shown or not, in Z order.
std::vector<HWND> topLevelWindows(DWORD processId);
DWORD windowProcessId(HWND window);
std::string windowClass(HWND window);

// The title of a top-level window, without sending it a message (so a hung
// program cannot block the test). Cut at kMaxTitle bytes.
constexpr size_t kMaxTitle = 4095;
std::optional<std::string> windowTitle(HWND window);

// The text of any window, also a control of another process, asked for with
// WM_GETTEXT. Nothing when the window does not answer in time. Cut at kMaxText
// bytes.
constexpr size_t kMaxText = 65535;
std::optional<std::string> windowText(HWND window, DWORD timeoutMs = kDefaultTimeoutMs);
// The control with this id in a window or dialog, or nullptr.
HWND controlOf(HWND parent, int controlId);
std::optional<std::string> controlText(HWND parent, int controlId,
                                       DWORD timeoutMs = kDefaultTimeoutMs);

bool isVisible(HWND window);
bool isForeground(HWND window);
// Screen rectangle of the window, or nothing when it does not exist.
std::optional<RECT> windowRect(HWND window);

}  // namespace harness
