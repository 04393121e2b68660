// What bramble's process keeps once, for the start-up, the window and the
// entry points the service layer calls.
#pragma once
#include <windows.h>

namespace bramble {

enum PlatformKind { kPlatformUnknown = 0, kPlatformWindows9x = 1, kPlatformWindowsNt = 2 };

struct ProcessState {
    PlatformKind platform = kPlatformUnknown;
    HANDLE driver = INVALID_HANDLE_VALUE;
    HANDLE monitorMutex = nullptr;
    char installDir[260] = "";
    char product[64] = "";
    unsigned modelClass = 0;
    bool healthConfigured = false;
    bool parallelPort = false;
    bool serialPort = false;
};

ProcessState& State();

// The platform kind from GetVersionEx; kPlatformUnknown when it fails.
PlatformKind QueryPlatformKind();

// Opens the instrumentation driver as the platform wants it: the VxD is
// loaded on Windows 95/98, the NT driver opened on NT. INVALID_HANDLE_VALUE
// when it is not there.
HANDLE OpenInstrumentationDriver(PlatformKind kind);

// Copies text into a fixed buffer, cut at its size without splitting a
// double-byte character.
void CopyBounded(char* buffer, size_t size, const char* text);

}  // namespace bramble
