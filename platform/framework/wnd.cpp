#include "platform/framework/wnd.h"

namespace fw {

// The object of a window is kept in a window property, which works for windows
// of any class, including subclassed common controls.
static const char kObjectProp[] = "fw.CWnd";

CWnd::~CWnd()
{
    if (m_hWnd && ::IsWindow(m_hWnd)) {
        HWND hwnd = m_hWnd;
        Detach();
        ::DestroyWindow(hwnd);
    }
}

bool CWnd::RegisterClass(const char* className, UINT style, HCURSOR cursor, HBRUSH background, HICON icon)
{
    WNDCLASSA existing;
    HINSTANCE instance = ::GetModuleHandleA(nullptr);
    if (::GetClassInfoA(instance, className, &existing))
        return true;
    WNDCLASSA wc = {};
    wc.style = style;
    wc.lpfnWndProc = FrameworkWndProc;
    wc.hInstance = instance;
    wc.hCursor = cursor ? cursor : ::LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = background;
    wc.hIcon = icon;
    wc.lpszClassName = className;
    return ::RegisterClassA(&wc) != 0;
}

bool CWnd::CreateEx(DWORD exStyle, const char* className, const char* title, DWORD style, int x, int y,
                    int width, int height, HWND parent, HMENU menuOrId)
{
    HWND hwnd = ::CreateWindowExA(exStyle, className, title, style, x, y, width, height, parent, menuOrId,
                                  ::GetModuleHandleA(nullptr), this);
    return hwnd != nullptr && m_hWnd == hwnd;
}

bool CWnd::SubclassWindow(HWND hwnd)
{
    if (!hwnd || m_hWnd || FromHandle(hwnd))
        return false;
    Attach(hwnd);
    m_oldProc = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FrameworkWndProc)));
    return true;
}

void CWnd::DestroyWindow()
{
    if (m_hWnd)
        ::DestroyWindow(m_hWnd);
}

CWnd* CWnd::FromHandle(HWND hwnd)
{
    return hwnd ? static_cast<CWnd*>(::GetPropA(hwnd, kObjectProp)) : nullptr;
}

void CWnd::Attach(HWND hwnd)
{
    m_hWnd = hwnd;
    ::SetPropA(hwnd, kObjectProp, this);
}

void CWnd::Detach()
{
    if (m_hWnd) {
        ::RemovePropA(m_hWnd, kObjectProp);
        if (m_oldProc)
            ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_oldProc));
    }
    m_hWnd = nullptr;
    m_oldProc = nullptr;
}

LRESULT CWnd::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    return Default(msg, wParam, lParam);
}

LRESULT CWnd::Default(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (m_isDialog)
        return FALSE;
    if (m_oldProc)
        return ::CallWindowProcA(m_oldProc, m_hWnd, msg, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, msg, wParam, lParam);
}

LRESULT CALLBACK FrameworkWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    CWnd* wnd = CWnd::FromHandle(hwnd);
    if (!wnd && msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTA*>(lParam);
        wnd = static_cast<CWnd*>(cs->lpCreateParams);
        if (wnd)
            wnd->Attach(hwnd);
    }
    if (!wnd)
        return ::DefWindowProcA(hwnd, msg, wParam, lParam);

    LRESULT result = wnd->WindowProc(msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        wnd->Detach();
        wnd->PostNcDestroy();
    }
    return result;
}

INT_PTR CALLBACK FrameworkDlgProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    CWnd* wnd = CWnd::FromHandle(hwnd);
    if (!wnd && msg == WM_INITDIALOG) {
        wnd = reinterpret_cast<CWnd*>(lParam);
        if (wnd)
            wnd->Attach(hwnd);
    }
    if (!wnd)
        return FALSE;

    INT_PTR result = wnd->WindowProc(msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        wnd->Detach();
        wnd->PostNcDestroy();
    }
    return result;
}

}  // namespace fw
