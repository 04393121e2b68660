// The application object: one per program. It owns the message loop, the
// document template, the profile file and the program's string resources.
#pragma once
#include <windows.h>
#include <memory>
#include <string>

#include "platform/framework/cmdui.h"

namespace fw {

class CWnd;
class CSingleDocTemplate;

class CWinApp : public CCmdTarget {
public:
    CWinApp();
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // Runs the program: InitInstance, then the message loop, then ExitInstance.
    int Main(HINSTANCE instance, const char* commandLine, int showCmd);

    virtual bool InitInstance() { return true; }
    virtual int ExitInstance() { return m_exitCode; }
    // Sees every message before it is dispatched; true when it was handled.
    virtual bool PreTranslateMessage(MSG& msg);
    // Runs the message loop until WM_QUIT; calls OnIdle when the queue empties.
    virtual int Run();
    virtual void OnIdle();

    // Profile file: a bare name lies in the Windows directory.
    void SetProfileName(const char* name) { m_profileName = name; }
    const std::string& ProfileName() const { return m_profileName; }
    std::string ProfilePath() const;
    // Standard profile settings; recentFiles is the size of the recent-file list.
    void LoadStdProfileSettings(unsigned recentFiles);
    unsigned RecentFileCount() const { return m_recentFiles; }
    std::string GetProfileString(const char* section, const char* key, const char* fallback) const;
    int GetProfileInt(const char* section, const char* key, int fallback) const;
    bool WriteProfileString(const char* section, const char* key, const char* value) const;

    void AddDocTemplate(std::unique_ptr<CSingleDocTemplate> tmpl);
    CSingleDocTemplate* DocTemplate() const { return m_template.get(); }
    // Creates a new document with its frame and view; false on failure.
    bool OnFileNew();

    HINSTANCE m_hInstance = nullptr;
    std::string m_cmdLine;
    int m_nCmdShow = SW_SHOWNORMAL;
    CWnd* m_pMainWnd = nullptr;
    std::string m_appName;   // the application title, used by message boxes by default
    int m_exitCode = 0;

private:
    std::string m_profileName;
    unsigned m_recentFiles = 0;
    int m_previewPages = 0;
    std::unique_ptr<CSingleDocTemplate> m_template;
};

// The program's application object.
CWinApp* GetApp();

}  // namespace fw
