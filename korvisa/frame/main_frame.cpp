#include "korvisa/frame/main_frame.h"

#include <algorithm>

#include "korvisa/app/korvisa_app.h"
#include "korvisa/app/registry_settings.h"
#include "korvisa/app/splash.h"
#include "korvisa/frame/page_table.h"
#include "korvisa/frame/placement.h"
#include "korvisa/frame/tool_commands.h"
#include "korvisa/frame/usb_rule.h"
#include "korvisa/res/resource.h"
#include "platform/framework/dialog.h"
#include "platform/framework/resources.h"

namespace korvisa {

const char CMainFrame::kRemoteViewerTitle[] = "ﾘﾓｰﾄﾋﾞｭｰｱ - ｺﾝﾋﾟｭｰﾀﾘｽﾄ";

static int SystemScreenWidth()
{
    return ::GetSystemMetrics(SM_CXSCREEN);
}

static bool SystemVersion(OSVERSIONINFOA& version)
{
    version = OSVERSIONINFOA{};
    version.dwOSVersionInfoSize = sizeof version;
    return ::GetVersionExA(&version) != FALSE;
}

int (*CMainFrame::s_screenWidth)() = SystemScreenWidth;
bool (*CMainFrame::s_systemVersion)(OSVERSIONINFOA&) = SystemVersion;

// Toolbar buttons, both image sets alike; 0 is a separator.
static const UINT kToolBarButtons[] = {
    ID_PAGE_BODY, ID_PAGE_MEMORY, ID_PAGE_MEDIA, ID_PAGE_DISPLAY, ID_PAGE_KEYBOARD, ID_PAGE_MOUSE,
    ID_PAGE_PRINTER, ID_PAGE_MODEM, ID_PAGE_DMI_SOFTWARE, ID_PAGE_INSTALLED_SOFTWARE, ID_PAGE_PORTS,
    ID_PAGE_SLOTS, ID_PAGE_SCSI_LAN, ID_PAGE_USB, 0,
    ID_NET_COMPUTER_LIST, ID_TOOL_STATUS_MONITOR, ID_TOOL_MIF_BROWSER, ID_TOOL_BIOS_BROWSER, 0,
    ID_SETTINGS_MONITORING, ID_SETTINGS_PRESERVE, ID_HELP_FINDER, ID_CONTEXT_HELP,
};

static const char kToolBarTitle[] = "ﾂｰﾙﾊﾞｰ";

CMainFrame::CMainFrame() : m_settingsKey(ScreenKey())
{
}

DWORD CMainFrame::ReadPreserve() const
{
    // Missing counts as 1; anything but 1 keeps no positions.
    DWORD value = 1;
    if (!ReadMachineDword(m_settingsKey.c_str(), "Preserve", value))
        return 1;
    return value == 1 ? 1 : 0;
}

bool CMainFrame::PreCreateWindow(CREATESTRUCTA& cs)
{
    if (ReadPreserve() != 1)
        return true;
    std::string text;
    RECT saved;
    if (ReadMachineString(m_settingsKey.c_str(), "PositionMain", kPositionValueSize, text) &&
        ParsePosition(text.c_str(), saved)) {
        cs.x = saved.left;
        cs.y = saved.top;
        cs.cx = saved.right - saved.left;
        cs.cy = saved.bottom - saved.top;
    }
    return true;
}

int CMainFrame::OnCreate(CREATESTRUCTA& cs)
{
    (void)cs;
    if (!m_toolBar.Create(m_hWnd))
        return -1;
    const bool large = s_screenWidth() > kSmallToolBarMaxWidth;
    const int size = large ? 32 : 16;
    if (!m_toolBar.LoadButtons(large ? IDR_MAINFRAME : IDR_MAINFRAME_SMALL, size, size, kToolBarButtons,
                               sizeof kToolBarButtons / sizeof kToolBarButtons[0]))
        return -1;
    ::SetWindowTextA(m_toolBar.m_hWnd, kToolBarTitle);
    AddBar(m_toolBar);

    if (!m_statusBar.Create(m_hWnd))
        return -1;
    AddBar(m_statusBar);
    SetStatusBar(&m_statusBar);
    SetMessageText(IDS_IDLE_MESSAGE);

    m_toolBar.EnableDocking(fw::kDockAny);
    EnableDocking(fw::kDockAny);
    DockControlBar(m_toolBar, fw::kDockTop);

    if (SplashWanted())
        CSplashWnd::ShowSplashScreen(m_hWnd);

    m_preserve = ReadPreserve();
    PostMessage(kPlaceMessage);
    m_created = true;
    return 0;
}

void CMainFrame::OnGetMinMaxInfo(MINMAXINFO& info)
{
    info.ptMinTrackSize.x = 400;
    info.ptMinTrackSize.y = 400;
}

void CMainFrame::PlaceFrame()
{
    RECT frame;
    ::GetWindowRect(m_hWnd, &frame);
    if (m_preserve == 1) {
        RECT desktop;
        ::GetWindowRect(::GetDesktopWindow(), &desktop);
        RECT placed = PlaceOnDesktop(frame, desktop);
        ::MoveWindow(m_hWnd, placed.left, placed.top, placed.right - placed.left, placed.bottom - placed.top, TRUE);
        return;
    }
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    int width = m_toolBar.LayoutWidth();
    int height = UnpreservedHeight(client.right - client.left, m_toolBar.LayoutHeight(), m_statusBar.LayoutHeight());
    ::MoveWindow(m_hWnd, frame.left, frame.top, width, height, TRUE);
}

void CMainFrame::SaveSettings()
{
    WriteMachineDword(m_settingsKey.c_str(), "Preserve", m_preserve);
    if (m_preserve == 1) {
        RECT frame;
        ::GetWindowRect(m_hWnd, &frame);
        WriteMachineString(m_settingsKey.c_str(), "PositionMain", FormatPosition(frame));
    }
    // The remote viewer's computer list belongs to this viewer: it goes too.
    if (HWND remote = ::FindWindowA(nullptr, kRemoteViewerTitle)) {
        DWORD_PTR ignored = 0;
        ::SendMessageTimeoutA(remote, WM_SYSCOMMAND, SC_CLOSE, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
    }
}

void CMainFrame::OnDestroy()
{
    // A frame whose creation failed never showed: its rectangle is no place
    // to come back to.
    if (m_created)
        SaveSettings();
    m_created = false;
}

bool CMainFrame::IsPageOpen(UINT command) const
{
    return std::find(m_openPages.begin(), m_openPages.end(), command) != m_openPages.end();
}

void CMainFrame::OpenPage(UINT command)
{
    // A second request while the page is open is ignored.
    if (IsPageOpen(command))
        return;
    PageOpener open = PageOpenerFor(command);
    if (!open)
        return;
    m_openPages.push_back(command);
    open(*this);
    m_openPages.erase(std::find(m_openPages.begin(), m_openPages.end(), command));
}

void CMainFrame::OpenUsbPage()
{
    OSVERSIONINFOA version;
    if (s_systemVersion(version) && UsbPageAllowed(version))
        OpenPage(ID_PAGE_USB);
}

void CMainFrame::StartToolCommand(UINT command)
{
    ToolLaunch launch;
    if (ToolLaunchFor(command, InstallDir(), DmiDir(), launch))
        StartTool(m_hWnd, launch);
}

bool CMainFrame::HandleCommand(UINT id)
{
    if (id == ID_PAGE_USB) {
        OpenUsbPage();
        return true;
    }
    if (IsPageCommand(id)) {
        OpenPage(id);
        return true;
    }
    switch (id) {
    case ID_TOOL_STATUS_MONITOR:
    case ID_TOOL_MIF_BROWSER:
    case ID_TOOL_BIOS_BROWSER:
        StartToolCommand(id);
        return true;
    case ID_SETTINGS_PRESERVE:
        m_preserve = m_preserve == 1 ? 0 : 1;
        return true;
    case ID_HELP_INDEX:
    case ID_HELP_FINDER:
    case ID_DEFAULT_HELP:
        OpenHelpIndex();
        return true;
    case ID_CONTEXT_HELP:
        EnterContextHelp();
        return true;
    case ID_APP_ABOUT: {
        fw::CDialog about(IDD_ABOUTBOX, m_hWnd);
        about.DoModal();
        return true;
    }
    default:
        return fw::CFrameWnd::HandleCommand(id);
    }
}

bool CMainFrame::UpdateCommand(fw::CCmdUI& ui)
{
    if (IsPageCommand(ui.id)) {
        ui.Enable();
        ui.SetCheck(IsPageOpen(ui.id));
        return true;
    }
    switch (ui.id) {
    case ID_SETTINGS_PRESERVE:
        ui.Enable();
        ui.SetCheck(m_preserve == 1);
        return true;
    case ID_TOOL_STATUS_MONITOR:
    case ID_TOOL_MIF_BROWSER:
    case ID_TOOL_BIOS_BROWSER:
    case ID_HELP_INDEX:
    case ID_HELP_FINDER:
    case ID_DEFAULT_HELP:
    case ID_CONTEXT_HELP:
    case ID_APP_ABOUT:
        ui.Enable();
        return true;
    default:
        return fw::CFrameWnd::UpdateCommand(ui);
    }
}

void CMainFrame::RedrawViewForPalette(UINT msg, WPARAM wParam, LPARAM lParam)
{
    // The view's picture realises its own palette; it is told and redrawn.
    if (m_view && m_view->m_hWnd) {
        ::SendMessageA(m_view->m_hWnd, msg, wParam, lParam);
        ::RedrawWindow(m_view->m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
    }
}

LRESULT CMainFrame::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case kPlaceMessage:
        PlaceFrame();
        return 0;
    case WM_QUERYENDSESSION: {
        LRESULT agreed = fw::CFrameWnd::WindowProc(msg, wParam, lParam);
        if (agreed) {
            PostMessage(WM_CLOSE);
            SaveSettings();
        }
        return agreed;
    }
    case WM_ACTIVATEAPP:
        if (wParam)
            RedrawViewForPalette(WM_QUERYNEWPALETTE, 0, 0);
        break;
    case WM_QUERYNEWPALETTE:
        RedrawViewForPalette(msg, wParam, lParam);
        return TRUE;
    case WM_PALETTECHANGED:
        if (reinterpret_cast<HWND>(wParam) != m_hWnd &&
            !(m_view && m_view->m_hWnd && ::IsChild(m_view->m_hWnd, reinterpret_cast<HWND>(wParam))))
            RedrawViewForPalette(msg, wParam, lParam);
        return 0;
    default:
        break;
    }
    return fw::CFrameWnd::WindowProc(msg, wParam, lParam);
}

}  // namespace korvisa
