// The frame's help: the help file's index and context-help mode.
#include "platform/framework/frame.h"

#include <commctrl.h>

#include "platform/framework/help.h"

namespace fw {

// Help context numbers: commands and the frame's own resource, as the help
// file's topics are numbered.
static const DWORD kHelpBaseCommand = 0x10000;
static const DWORD kHelpBaseResource = 0x20000;

void CFrameWnd::OpenHelpIndex()
{
    std::string file = HelpFilePath();
    if (!file.empty())
        ::WinHelpA(m_hWnd, file.c_str(), HELP_FINDER, 0);
}

void CFrameWnd::EnterContextHelp()
{
    if (m_contextHelp || !m_hWnd)
        return;
    m_contextHelp = true;
    ::SetCapture(m_hWnd);
    ::SetCursor(::LoadCursorA(nullptr, IDC_HELP));
}

void CFrameWnd::LeaveContextHelp()
{
    if (!m_contextHelp)
        return;
    m_contextHelp = false;
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    ::SetCursor(::LoadCursorA(nullptr, IDC_ARROW));
}

void CFrameWnd::ContextHelpClick(POINT clientPoint)
{
    POINT screen = clientPoint;
    ::ClientToScreen(m_hWnd, &screen);
    LeaveContextHelp();

    // A toolbar button explains its command; anything else of the window
    // explains the window.
    DWORD context = kHelpBaseResource + m_resourceId;
    HWND under = ::WindowFromPoint(screen);
    if (CToolBar* bar = dynamic_cast<CToolBar*>(CWnd::FromHandle(under))) {
        POINT local = screen;
        ::ScreenToClient(bar->m_hWnd, &local);
        LRESULT index = bar->SendMessage(TB_HITTEST, 0, reinterpret_cast<LPARAM>(&local));
        if (index >= 0 && static_cast<size_t>(index) < bar->ButtonIds().size() && bar->ButtonIds()[index] != 0)
            context = kHelpBaseCommand + bar->ButtonIds()[index];
    } else {
        RECT window;
        ::GetWindowRect(m_hWnd, &window);
        if (!::PtInRect(&window, screen))
            return;   // a click elsewhere only ends the mode
    }
    std::string file = HelpFilePath();
    if (!file.empty())
        ::WinHelpA(m_hWnd, file.c_str(), HELP_CONTEXT, context);
}

}  // namespace fw
