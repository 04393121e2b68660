// What bramble's desk tests share: where the installed programs lie, the
// texts bramble shows and the windows it makes.
#pragma once
#include <string>

#include "harness/harness.h"

namespace bramble_desk {

inline const char kBinDir[] = "C:\\DMI\\BIN";
inline const char kProgram[] = "C:\\DMI\\BIN\\bramble.exe";
inline const char kBrowserDir[] = "C:\\DMI\\Win32\\Bin";
inline const char kBrowser[] = "C:\\DMI\\Win32\\Bin\\foliant.exe";
inline const char kBrowserLog[] = "C:\\DMI\\Win32\\Bin\\foliant_close.log";
inline const char kConfirm[] = "C:\\DMI\\Win32\\Bin\\confirm_window.exe";
inline const char kCommandLog[] = "C:\\DMI\\corvaneslinf.log";
inline const char kHealthFile[] = "C:\\DMI\\DATA\\SHEALTH.DAT";
inline const char kKey[] = "SOFTWARE\\Corvane Technologies, Inc.\\Corvane DMI\\CurrentVersion";
inline const char kWindowClass[] = "corvanedmici";
inline const char kCaption[] = "BRAMBLE";
inline const char kProduct[] = "HELMSET";

inline harness::Process Start()
{
    return harness::Process::start(kProgram, "", kBinDir);
}

inline HWND WaitForWindow(DWORD processId, DWORD timeoutMs = harness::kDefaultTimeoutMs)
{
    harness::WindowQuery query;
    query.className = kWindowClass;
    query.processId = processId;
    return harness::waitForWindow(query, timeoutMs);
}

// bramble's window once start-up is through: the bridge's last area exists.
inline HWND WaitUntilServing(DWORD processId)
{
    HWND window = WaitForWindow(processId);
    if (!window)
        return nullptr;
    bool serving = harness::waitUntil([] {
        HANDLE area = OpenFileMappingA(FILE_MAP_READ, FALSE, "HELMSETMIFDATA");
        if (!area)
            return false;
        CloseHandle(area);
        return true;
    });
    return serving ? window : nullptr;
}

// Entry 17 with the product name.
inline std::string RegistryNotice()
{
    return std::string("ERROR: Invalid registry structure detected. Reinstall ") + kProduct +
           " to recreate structure.";
}

}  // namespace bramble_desk
