#pragma once
// Messages to windows of other processes, and closing them.
#include <windows.h>

#include <optional>

#include "harness/process.h"
#include "harness/wait.h"

namespace harness {

bool postMessage(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
// The window's answer, or nothing when it does not answer in time. Under Wine
// WM_GETTEXTLENGTH, LB_GETTEXTLEN and CB_GETLBTEXTLEN sent this way to a hung
// program block without limit; use windowText() for texts.
std::optional<LRESULT> sendMessage(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0,
                                   DWORD timeoutMs = kDefaultTimeoutMs);

// Posts WM_CLOSE (posted, so a program that asks before closing cannot block
// the test) and waits until the window is gone.
bool closeWindow(HWND window, DWORD timeoutMs = kDefaultTimeoutMs);
// Posts WM_CLOSE to every visible top-level window of the process and waits
// for it to end. Its exit code, or nothing when it still runs.
std::optional<DWORD> closeProcess(const Process& process, DWORD timeoutMs = kDefaultTimeoutMs);

}  // namespace harness
