// A window object bound to one HWND: the window procedure of every window the
// framework creates dispatches to the virtual WindowProc of its object.
#pragma once
#include <windows.h>

namespace fw {

class CWnd {
public:
    CWnd() = default;
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND m_hWnd = nullptr;

    // Registers (once) a window class whose procedure routes to the object.
    static bool RegisterClass(const char* className, UINT style, HCURSOR cursor, HBRUSH background,
                              HICON icon = nullptr);
    // Sees a message of this window or its children before dispatch; true
    // when it was handled (the application walks up the parent chain).
    virtual bool PreTranslateMessage(MSG& msg) { (void)msg; return false; }

    // Creates the window; the object receives every message from WM_NCCREATE on.
    bool CreateEx(DWORD exStyle, const char* className, const char* title, DWORD style, int x, int y,
                  int width, int height, HWND parent, HMENU menuOrId);
    // Binds an existing window (for example a common control) to the object
    // by subclassing it; its old procedure still gets what the object passes on.
    bool SubclassWindow(HWND hwnd);
    void DestroyWindow();

    // The object of a window created or subclassed by the framework, or null.
    static CWnd* FromHandle(HWND hwnd);

    LRESULT SendMessage(UINT msg, WPARAM w = 0, LPARAM l = 0) const { return ::SendMessageA(m_hWnd, msg, w, l); }
    BOOL PostMessage(UINT msg, WPARAM w = 0, LPARAM l = 0) const { return ::PostMessageA(m_hWnd, msg, w, l); }

protected:
    // Handles one message; the default passes it to the original procedure.
    virtual LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT Default(UINT msg, WPARAM wParam, LPARAM lParam);
    // Called after the window is gone; the object may delete itself here.
    virtual void PostNcDestroy() {}

    friend LRESULT CALLBACK FrameworkWndProc(HWND, UINT, WPARAM, LPARAM);
    friend INT_PTR CALLBACK FrameworkDlgProc(HWND, UINT, WPARAM, LPARAM);
    WNDPROC m_oldProc = nullptr;   // the class procedure of a subclassed window
    bool m_isDialog = false;       // dialog procedures answer FALSE by default

private:
    void Attach(HWND hwnd);
    void Detach();
};

LRESULT CALLBACK FrameworkWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK FrameworkDlgProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

}  // namespace fw
