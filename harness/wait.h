#pragma once
// Polling with a deadline, the way every wait of the harness works.
#include <windows.h>

#include <algorithm>

namespace harness {

constexpr DWORD kDefaultTimeoutMs = 10000;
constexpr DWORD kPollMs = 25;

// Calls ready() until it returns true or timeoutMs has passed. ready() is
// always called at least once, and once more at the deadline.
template <class Ready>
bool waitUntil(Ready ready, DWORD timeoutMs = kDefaultTimeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (ready()) return true;
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= timeoutMs) return false;
        Sleep(std::min(kPollMs, timeoutMs - elapsed));
    }
}

}  // namespace harness
