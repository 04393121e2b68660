// The main frame: a top-level window with a menu, control bars and one view.
// Commands from the menu, accelerators and toolbar are routed view → document
// → frame → application; menus and toolbar buttons ask the same route for
// their enabled and checked state, and a command nobody answers is disabled.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

#include "platform/framework/bars.h"
#include "platform/framework/cmdui.h"
#include "platform/framework/document.h"
#include "platform/framework/wnd.h"

namespace fw {

class CFrameWnd : public CWnd, public CCmdTarget {
public:
    // Creates the frame with the menu, icon and (optional) accelerators of resourceId.
    bool LoadFrame(UINT resourceId, DWORD style = WS_OVERLAPPEDWINDOW);

    void AddBar(CControlBar& bar) { m_bars.push_back(&bar); }
    void SetView(CFormView* view);
    CFormView* GetView() const { return m_view; }
    CDocument* m_document = nullptr;
    void SetStatusBar(CStatusBar* bar) { m_statusBar = bar; }

    void RecalcLayout();
    // Runs a command along the route; false when nobody handled it.
    bool RouteCommand(UINT id);
    // Asks the route for a command's state; ui.handled tells whether anyone knows it.
    void RouteUpdate(CCmdUI& ui);
    // Brings menus' and toolbars' states up to date (called when the program is idle).
    void OnIdleUpdate();
    // The caption: application title, " - ", document title.
    void UpdateTitle();
    void SetMessageText(const char* text);
    void SetMessageText(UINT stringId);
    void ShowBar(CControlBar& bar, bool show);
    // Docking: a toolbar docks on a side (one kDock flag) that both it and
    // the frame allow; false leaves it where it was. Docked bars take strips
    // along the frame's edges (no floating bars); see dock.cpp.
    void EnableDocking(DWORD sides) { m_dockSides = sides; }
    DWORD DockingSides() const { return m_dockSides; }
    bool DockControlBar(CToolBar& bar, DWORD side = kDockTop);

    // Help: the index of the program's help file, and context-help mode, in
    // which the next click names what to explain (Escape or the right button
    // leaves it).
    void OpenHelpIndex();
    void EnterContextHelp();
    bool InContextHelp() const { return m_contextHelp; }

    bool HandleCommand(UINT id) override;
    bool UpdateCommand(CCmdUI& ui) override;
    bool PreTranslateMessage(MSG& msg) override;

protected:
    // Chance to change the creation parameters (position, size, style).
    virtual bool PreCreateWindow(CREATESTRUCTA& cs) { (void)cs; return true; }
    // After the window exists; -1 fails the creation.
    virtual int OnCreate(CREATESTRUCTA& cs) { (void)cs; return 0; }
    virtual void OnDestroy() {}
    virtual void OnGetMinMaxInfo(MINMAXINFO& info) { (void)info; }
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

    UINT m_resourceId = 0;
    HACCEL m_accelerators = nullptr;
    CFormView* m_view = nullptr;
    CStatusBar* m_statusBar = nullptr;
    std::vector<CControlBar*> m_bars;

private:
    void UpdateMenu(HMENU menu);
    void LeaveContextHelp();
    void ContextHelpClick(POINT clientPoint);
    DWORD m_dockSides = 0;
    bool m_contextHelp = false;
    bool m_flyByPrompt = false;   // the status bar shows a toolbar button's prompt
    CREATESTRUCTA* m_pendingCreate = nullptr;
};

}  // namespace fw
