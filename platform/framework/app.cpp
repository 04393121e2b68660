#include "platform/framework/app.h"

#include <commctrl.h>

#include "platform/framework/doctemplate.h"
#include "platform/framework/frame.h"
#include "platform/framework/wnd.h"

namespace fw {

static CWinApp* g_app = nullptr;

CWinApp* GetApp()
{
    return g_app;
}

CWinApp::CWinApp()
{
    g_app = this;
}

CWinApp::~CWinApp()
{
    m_template.reset();
    if (g_app == this)
        g_app = nullptr;
}

int CWinApp::Main(HINSTANCE instance, const char* commandLine, int showCmd)
{
    m_hInstance = instance;
    m_cmdLine = commandLine ? commandLine : "";
    m_nCmdShow = showCmd;
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&icc);
    if (!InitInstance()) {
        // A start-up that ends early still gets its clean-up.
        m_template.reset();
        return ExitInstance();
    }
    m_exitCode = Run();
    int code = ExitInstance();
    m_template.reset();
    return code;
}

bool CWinApp::PreTranslateMessage(MSG& msg)
{
    // The window of the message and its parents, innermost first.
    for (HWND hwnd = msg.hwnd; hwnd; hwnd = ::GetParent(hwnd)) {
        CWnd* wnd = CWnd::FromHandle(hwnd);
        if (wnd && wnd->PreTranslateMessage(msg))
            return true;
    }
    CWnd* main = m_pMainWnd;
    return main && main->m_hWnd && !::IsChild(main->m_hWnd, msg.hwnd) && msg.hwnd != main->m_hWnd &&
           main->PreTranslateMessage(msg);
}

void CWinApp::OnIdle()
{
    if (auto* frame = dynamic_cast<CFrameWnd*>(m_pMainWnd))
        frame->OnIdleUpdate();
}

int CWinApp::Run()
{
    MSG msg;
    for (;;) {
        if (!::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE))
            OnIdle();
        BOOL got = ::GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0)
            return static_cast<int>(msg.wParam);
        if (got == -1)
            return -1;
        if (!PreTranslateMessage(msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
}

std::string CWinApp::ProfilePath() const
{
    if (m_profileName.find('\\') != std::string::npos || m_profileName.find(':') != std::string::npos)
        return m_profileName;
    char windows[MAX_PATH];
    UINT length = ::GetWindowsDirectoryA(windows, sizeof windows);
    if (length == 0 || length >= sizeof windows)
        return m_profileName;
    std::string path(windows, length);
    if (path.back() != '\\')
        path += '\\';
    return path + m_profileName;
}

void CWinApp::LoadStdProfileSettings(unsigned recentFiles)
{
    m_recentFiles = recentFiles;
    m_previewPages = GetProfileInt("Settings", "PreviewPages", 0);
}

std::string CWinApp::GetProfileString(const char* section, const char* key, const char* fallback) const
{
    char value[4096];
    DWORD length = ::GetPrivateProfileStringA(section, key, fallback, value, sizeof value, m_profileName.c_str());
    return std::string(value, length);
}

int CWinApp::GetProfileInt(const char* section, const char* key, int fallback) const
{
    return static_cast<int>(::GetPrivateProfileIntA(section, key, fallback, m_profileName.c_str()));
}

bool CWinApp::WriteProfileString(const char* section, const char* key, const char* value) const
{
    return ::WritePrivateProfileStringA(section, key, value, m_profileName.c_str()) != FALSE;
}

void CWinApp::AddDocTemplate(std::unique_ptr<CSingleDocTemplate> tmpl)
{
    m_template = std::move(tmpl);
}

bool CWinApp::OnFileNew()
{
    return m_template && m_template->OpenNew(*this);
}

}  // namespace fw
