#include "korvisa/frame/main_frame.h"

#include "korvisa/app/korvisa_app.h"
#include "korvisa/app/splash.h"
#include "korvisa/res/resource.h"

namespace korvisa {

int CMainFrame::OnCreate(CREATESTRUCTA& cs)
{
    (void)cs;
    if (!m_statusBar.Create(m_hWnd))
        return -1;
    AddBar(m_statusBar);
    SetStatusBar(&m_statusBar);
    SetMessageText(IDS_IDLE_MESSAGE);

    if (SplashWanted())
        CSplashWnd::ShowSplashScreen(m_hWnd);
    return 0;
}

void CMainFrame::OnGetMinMaxInfo(MINMAXINFO& info)
{
    info.ptMinTrackSize.x = 400;
    info.ptMinTrackSize.y = 400;
}

}  // namespace korvisa
