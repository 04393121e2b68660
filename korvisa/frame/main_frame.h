// The viewer's main window: menu, toolbar, status bar and the picture view;
// it opens the information pages, starts the sibling tools and keeps its own
// position across runs.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "platform/framework/bars.h"
#include "platform/framework/frame.h"

namespace korvisa {

class CMainFrame : public fw::CFrameWnd {
public:
    // Posted to itself at the end of creation: place the frame on the desktop.
    static constexpr UINT kPlaceMessage = WM_USER + 100;
    // Screens wider than this get the large toolbar buttons.
    static constexpr int kSmallToolBarMaxWidth = 820;
    // The caption of the remote viewer's computer list, closed with the frame.
    static const char kRemoteViewerTitle[];

    // Where the frame learns the screen width and the system version; tests
    // put their own in place.
    static int (*s_screenWidth)();
    static bool (*s_systemVersion)(OSVERSIONINFOA& version);

    CMainFrame();

    bool HandleCommand(UINT id) override;
    bool UpdateCommand(fw::CCmdUI& ui) override;

    DWORD Preserve() const { return m_preserve; }
    bool IsPageOpen(UINT command) const;
    const fw::CToolBar& ToolBar() const { return m_toolBar; }
    // The key of Preserve and PositionMain (tests use one of their own).
    void SetSettingsKey(const std::string& key) { m_settingsKey = key; }

protected:
    bool PreCreateWindow(CREATESTRUCTA& cs) override;
    int OnCreate(CREATESTRUCTA& cs) override;
    void OnDestroy() override;
    void OnGetMinMaxInfo(MINMAXINFO& info) override;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    DWORD ReadPreserve() const;
    void PlaceFrame();
    void SaveSettings();
    void OpenPage(UINT command);
    void OpenUsbPage();
    void StartToolCommand(UINT command);
    void RedrawViewForPalette(UINT msg, WPARAM wParam, LPARAM lParam);

    fw::CToolBar m_toolBar;
    fw::CStatusBar m_statusBar;
    DWORD m_preserve = 1;
    std::vector<UINT> m_openPages;   // page commands whose page is open now
    std::string m_settingsKey;
    bool m_created = false;   // creation went through: there is something to keep at the end
};

}  // namespace korvisa
