#include "korvisa/pages/fetch_progress_dlg.h"

#include <commctrl.h>

#include "korvisa/res/page_ids.h"

namespace korvisa {

CFetchProgressDlg::CFetchProgressDlg() : fw::CDialog(IDD_FETCH_PROGRESS) {}

bool CFetchProgressDlg::Create(fw::CWnd* owner)
{
    return fw::CDialog::Create(owner ? owner->m_hWnd : nullptr);
}

int CFetchProgressDlg::Position() const
{
    return static_cast<int>(::SendDlgItemMessageA(m_hWnd, IDC_FETCH_BAR, PBM_GETPOS, 0, 0));
}

void CFetchProgressDlg::DoDataExchange(fw::CDataExchange& dx)
{
    fw::DDX_Text(dx, IDC_FETCH_TITLE, m_title);
}

bool CFetchProgressDlg::OnInitDialog()
{
    fw::CDialog::OnInitDialog();
    ::SendDlgItemMessageA(m_hWnd, IDC_FETCH_BAR, PBM_SETRANGE, 0, MAKELPARAM(0, kBarEnd));
    ::SendDlgItemMessageA(m_hWnd, IDC_FETCH_BAR, PBM_SETPOS, 1, 0);
    ::SetTimer(m_hWnd, kTimerId, kTickMs, nullptr);
    return true;
}

void CFetchProgressDlg::Stop()
{
    ::SendDlgItemMessageA(m_hWnd, IDC_FETCH_BAR, PBM_SETPOS, kBarEnd, 0);
    ::KillTimer(m_hWnd, kTimerId);
}

void CFetchProgressDlg::OnOK()
{
    // The full bar shows for a moment before the dialog goes.
    Stop();
    ::Sleep(20);
    EndDialog(IDOK);
}

LRESULT CFetchProgressDlg::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_TIMER && wParam == kTimerId) {
        ::SendDlgItemMessageA(m_hWnd, IDC_FETCH_BAR, PBM_SETPOS, static_cast<WPARAM>(NextPosition(Position())), 0);
        return TRUE;
    }
    if (msg == WM_DESTROY)
        Stop();
    return fw::CDialog::WindowProc(msg, wParam, lParam);
}

}  // namespace korvisa
