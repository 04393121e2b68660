#include "korvisa/app/single_instance.h"

namespace korvisa {

const char kViewerCaption[] = "ｼｽﾃﾑﾋﾞｭｰｱ";

bool BringRunningViewerForward()
{
    HWND running = ::FindWindowA(nullptr, kViewerCaption);
    if (!running)
        return false;
    ::ShowWindow(running, SW_SHOWNORMAL);
    ::SetForegroundWindow(running);
    return true;
}

RemoteViewMapping::~RemoteViewMapping()
{
    if (m_handle)
        ::CloseHandle(m_handle);
}

bool RemoteViewMapping::Create()
{
    HANDLE handle = ::CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 1, "RemoteViewMap");
    // Only a mapping that already exists means another viewer runs. One that
    // cannot be made at all (the name taken by another kind of object, say)
    // must not keep the viewer from starting.
    if (!handle)
        return true;
    if (::GetLastError() == ERROR_ALREADY_EXISTS) {
        ::CloseHandle(handle);
        return false;
    }
    m_handle = handle;
    return true;
}

}  // namespace korvisa
