#include "platform/framework/frame.h"

#include <commctrl.h>

#include "common/cp932.h"
#include "platform/framework/app.h"
#include "platform/framework/dock.h"
#include "platform/framework/resources.h"

namespace fw {

static const char kFrameClass[] = "fw.FrameWnd";

bool CFrameWnd::LoadFrame(UINT resourceId, DWORD style)
{
    m_resourceId = resourceId;
    HINSTANCE instance = ::GetModuleHandleA(nullptr);
    HICON icon = ::LoadIconA(instance, MAKEINTRESOURCEA(resourceId));
    if (!RegisterClass(kFrameClass, CS_DBLCLKS, nullptr, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1), icon))
        return false;
    HMENU menu = ::LoadMenuA(instance, MAKEINTRESOURCEA(resourceId));
    m_accelerators = ::LoadAcceleratorsA(instance, MAKEINTRESOURCEA(resourceId));

    CREATESTRUCTA cs = {};
    cs.style = style;
    cs.x = cs.y = cs.cx = cs.cy = CW_USEDEFAULT;
    cs.hMenu = menu;
    if (!PreCreateWindow(cs)) {
        if (menu)
            ::DestroyMenu(menu);
        return false;
    }
    std::string title = GetApp() ? GetApp()->m_appName : std::string();
    if (!CreateEx(cs.dwExStyle, kFrameClass, title.c_str(), cs.style, cs.x, cs.y, cs.cx, cs.cy, nullptr, cs.hMenu)) {
        // A frame whose creation failed has destroyed its window already; the
        // menu was never attached to it.
        if (menu && !m_hWnd)
            ::DestroyMenu(menu);
        return false;
    }
    return true;
}

void CFrameWnd::SetView(CFormView* view)
{
    m_view = view;
    RecalcLayout();
}

void CFrameWnd::RecalcLayout()
{
    if (!m_hWnd)
        return;
    RECT free;
    ::GetClientRect(m_hWnd, &free);
    // The status bar places itself along the whole bottom on WM_SIZE, below
    // everything; each docked toolbar then takes a strip along its edge of
    // what is left, and the view takes the rest.
    if (m_statusBar && m_statusBar->m_hWnd) {
        m_statusBar->SendMessage(WM_SIZE, 0, 0);
        free.bottom -= m_statusBar->LayoutHeight();
        if (free.bottom < free.top)
            free.bottom = free.top;
    }
    for (CControlBar* bar : m_bars) {
        auto* toolBar = dynamic_cast<CToolBar*>(bar);
        if (!toolBar || !toolBar->IsVisible())
            continue;
        RECT strip = TakeEdge(free, toolBar->DockedSide(), toolBar->Thickness());
        ::MoveWindow(toolBar->m_hWnd, strip.left, strip.top, strip.right - strip.left, strip.bottom - strip.top, TRUE);
    }
    if (m_view && m_view->m_hWnd)
        ::MoveWindow(m_view->m_hWnd, free.left, free.top, free.right - free.left, free.bottom - free.top, TRUE);
}

bool CFrameWnd::RouteCommand(UINT id)
{
    if (m_view && m_view->HandleCommand(id))
        return true;
    if (m_document && m_document->HandleCommand(id))
        return true;
    if (HandleCommand(id))
        return true;
    CWinApp* app = GetApp();
    return app && app->HandleCommand(id);
}

void CFrameWnd::RouteUpdate(CCmdUI& ui)
{
    if (m_view && m_view->UpdateCommand(ui))
        return;
    if (m_document && m_document->UpdateCommand(ui))
        return;
    if (UpdateCommand(ui))
        return;
    if (CWinApp* app = GetApp())
        app->UpdateCommand(ui);
}

bool CFrameWnd::HandleCommand(UINT id)
{
    for (CControlBar* bar : m_bars) {
        bool isToolBar = bar != m_statusBar;
        if ((id == kCmdViewToolBar && isToolBar) || (id == kCmdViewStatusBar && !isToolBar)) {
            ShowBar(*bar, !bar->IsVisible());
            return true;
        }
    }
    if (id == kCmdAppExit) {
        PostMessage(WM_CLOSE);
        return true;
    }
    return false;
}

bool CFrameWnd::UpdateCommand(CCmdUI& ui)
{
    for (CControlBar* bar : m_bars) {
        bool isToolBar = bar != m_statusBar;
        if ((ui.id == kCmdViewToolBar && isToolBar) || (ui.id == kCmdViewStatusBar && !isToolBar)) {
            ui.Enable();
            ui.SetCheck(bar->IsVisible());
            return true;
        }
    }
    if (ui.id == kCmdAppExit) {
        ui.Enable();
        return true;
    }
    return false;
}

void CFrameWnd::ShowBar(CControlBar& bar, bool show)
{
    ::ShowWindow(bar.m_hWnd, show ? SW_SHOW : SW_HIDE);
    RecalcLayout();
}

void CFrameWnd::OnIdleUpdate()
{
    // Buttons ask the whole route (view, document, frame, application), not
    // only the frame's own update handlers.
    struct Route : CCmdTarget {
        explicit Route(CFrameWnd& frame) : m_frame(frame) {}
        bool UpdateCommand(CCmdUI& ui) override
        {
            m_frame.RouteUpdate(ui);
            return ui.handled;
        }
        CFrameWnd& m_frame;
    } route(*this);
    for (CControlBar* bar : m_bars)
        if (bar != m_statusBar && bar->IsVisible())
            static_cast<CToolBar*>(bar)->UpdateButtons(route);
}

void CFrameWnd::UpdateMenu(HMENU menu)
{
    int count = ::GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        UINT id = ::GetMenuItemID(menu, i);
        if (id == 0 || id == static_cast<UINT>(-1))
            continue;   // separator or submenu
        CCmdUI ui;
        ui.id = id;
        RouteUpdate(ui);
        bool enabled = ui.handled && ui.enabled;
        ::EnableMenuItem(menu, static_cast<UINT>(i), MF_BYPOSITION | (enabled ? MF_ENABLED : MF_GRAYED));
        ::CheckMenuItem(menu, static_cast<UINT>(i), MF_BYPOSITION | (ui.checked ? MF_CHECKED : MF_UNCHECKED));
    }
}

void CFrameWnd::UpdateTitle()
{
    if (!m_hWnd)
        return;
    std::string title = GetApp() ? GetApp()->m_appName : std::string();
    if (m_document && !m_document->GetTitle().empty())
        title += " - " + m_document->GetTitle();
    ::SetWindowTextA(m_hWnd, title.c_str());
}

void CFrameWnd::SetMessageText(const char* text)
{
    if (m_statusBar)
        m_statusBar->SetText(text);
}

void CFrameWnd::SetMessageText(UINT stringId)
{
    SetMessageText(LoadStrLine(stringId, 0).c_str());
}

bool CFrameWnd::PreTranslateMessage(MSG& msg)
{
    if (m_contextHelp && msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) {
        LeaveContextHelp();
        return true;
    }
    // Escape goes to the window with the focus, not to a bar being dragged.
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) {
        for (CControlBar* bar : m_bars) {
            auto* toolBar = dynamic_cast<CToolBar*>(bar);
            if (toolBar && toolBar->IsTracking()) {
                toolBar->CancelTracking();
                return true;
            }
        }
    }
    return m_accelerators && msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST &&
           ::TranslateAcceleratorA(m_hWnd, m_accelerators, &msg);
}

LRESULT CFrameWnd::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_CREATE:
        if (OnCreate(*reinterpret_cast<CREATESTRUCTA*>(lParam)) < 0)
            return -1;
        UpdateTitle();
        return 0;
    case WM_SIZE:
        RecalcLayout();
        return 0;
    case WM_SETFOCUS:
        // The view keeps the keyboard focus while the frame is active.
        if (m_view && m_view->m_hWnd) {
            ::SetFocus(m_view->m_hWnd);
            return 0;
        }
        break;
    case WM_COMMAND:
        // Notifications of child controls other than the toolbar belong to those children.
        if (lParam == 0 || HIWORD(wParam) == BN_CLICKED) {
            RouteCommand(LOWORD(wParam));
            return 0;
        }
        break;
    case WM_INITMENUPOPUP:
        if (!HIWORD(lParam))
            UpdateMenu(reinterpret_cast<HMENU>(wParam));
        return 0;
    case WM_MENUSELECT: {
        UINT id = LOWORD(wParam), flags = HIWORD(wParam);
        if (flags == 0xFFFF && lParam == 0)
            SetMessageText(kIdleMessage);          // menu closed
        else if (!(flags & (MF_POPUP | MF_SEPARATOR)))
            SetMessageText(id);
        return 0;
    }
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (header->code == TTN_NEEDTEXTA) {
            // Tool tips are the second line of the command's prompt string.
            auto* tip = reinterpret_cast<NMTTDISPINFOA*>(lParam);
            std::string text = LoadStrLine(static_cast<UINT>(header->idFrom), 1);
            // Cut to the tip buffer before a character that does not fit whole.
            cp932::CopyBounded(tip->szText, sizeof tip->szText, text.c_str());
            tip->lpszText = tip->szText;
            // Fly-by help: while a button's tip shows, the status bar shows
            // its prompt (until the mouse leaves the toolbar).
            if (!m_contextHelp) {
                SetMessageText(static_cast<UINT>(header->idFrom));
                m_flyByPrompt = true;
            }
            return 0;
        }
        break;
    }
    case WM_SETCURSOR:
        if (m_flyByPrompt) {
            CWnd* over = CWnd::FromHandle(reinterpret_cast<HWND>(wParam));
            if (!dynamic_cast<CToolBar*>(over)) {
                m_flyByPrompt = false;
                SetMessageText(kIdleMessage);
            }
        }
        break;
    case WM_MOUSEMOVE:
        if (m_contextHelp)
            ::SetCursor(::LoadCursorA(nullptr, IDC_HELP));
        break;
    case WM_LBUTTONDOWN:
        if (m_contextHelp) {
            ContextHelpClick(POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
            return 0;
        }
        break;
    case WM_RBUTTONDOWN:
        if (m_contextHelp) {
            LeaveContextHelp();
            return 0;
        }
        break;
    case WM_CAPTURECHANGED:
        if (m_contextHelp && reinterpret_cast<HWND>(lParam) != m_hWnd)
            LeaveContextHelp();
        break;
    case WM_GETMINMAXINFO:
        OnGetMinMaxInfo(*reinterpret_cast<MINMAXINFO*>(lParam));
        return 0;
    case WM_CLOSE:
        DestroyWindow();
        return 0;
    case WM_DESTROY:
        OnDestroy();
        if (GetApp() && GetApp()->m_pMainWnd == this)
            ::PostQuitMessage(GetApp()->m_exitCode);
        return 0;
    default:
        break;
    }
    return Default(msg, wParam, lParam);
}

}  // namespace fw
