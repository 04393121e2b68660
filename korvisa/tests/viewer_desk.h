// What the viewer's desk tests share: where the installed viewer lies and
// the windows it shows.
#pragma once
#include <string>

#include "harness/harness.h"

namespace viewer_desk {

inline const char kBinDir[] = "C:\\HELMSET\\BIN";
inline const char kProgram[] = "C:\\HELMSET\\BIN\\korvisa.exe";
inline const char kBoxCaption[] = "ｼｽﾃﾑﾋﾞｭｰｱ";
inline const char kMainTitle[] = "korvisa - ｼｽﾃﾑﾋﾞｭｰｱ";
inline const char kSplashClass[] = "korvisa.Splash";

// Starts the installed viewer in its own folder, as the installation does.
inline harness::Process Start(const std::string& arguments = "")
{
    return harness::Process::start(kProgram, arguments, kBinDir);
}

inline HWND WaitForMainWindow(DWORD processId, DWORD timeoutMs = harness::kDefaultTimeoutMs)
{
    harness::WindowQuery query;
    query.title = kMainTitle;
    query.processId = processId;
    query.visibleOnly = true;
    return harness::waitForWindow(query, timeoutMs);
}

inline HWND FindSplash(DWORD processId)
{
    harness::WindowQuery query;
    query.className = kSplashClass;
    query.processId = processId;
    return harness::findWindow(query);
}

}  // namespace viewer_desk
