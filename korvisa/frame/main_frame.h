// The viewer's main window.
#pragma once
#include "platform/framework/bars.h"
#include "platform/framework/frame.h"

namespace korvisa {

class CMainFrame : public fw::CFrameWnd {
protected:
    int OnCreate(CREATESTRUCTA& cs) override;
    void OnGetMinMaxInfo(MINMAXINFO& info) override;

private:
    fw::CStatusBar m_statusBar;
};

}  // namespace korvisa
