#include "korvisa/pages/info_page.h"

#include "korvisa/res/page_ids.h"
#include "platform/framework/help.h"
#include "platform/framework/resources.h"

namespace korvisa {

InfoPage::InfoPage(UINT templateId, UINT closeButtonId, const DWORD* helpIds, fw::CWnd* parent)
    : fw::CDialog(templateId, parent ? parent->m_hWnd : nullptr), m_closeButtonId(closeButtonId),
      m_helpIds(helpIds)
{
}

bool InfoPage::OnInitDialog()
{
    m_notAvailable = fw::LoadStr(IDS_NOT_AVAILABLE);
    ReadPage();
    UpdateData(false);
    return true;
}

bool InfoPage::OnCommand(UINT id, UINT notifyCode, HWND control)
{
    if (id == m_closeButtonId && notifyCode == BN_CLICKED) {
        OnOK();
        return true;
    }
    return fw::CDialog::OnCommand(id, notifyCode, control);
}

LRESULT InfoPage::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_HELP) {
        const auto* info = reinterpret_cast<const HELPINFO*>(lParam);
        if (info && info->iContextType == HELPINFO_WINDOW && m_helpIds)
            ::WinHelpA(static_cast<HWND>(info->hItemHandle), fw::HelpFilePath().c_str(), HELP_WM_HELP,
                       reinterpret_cast<ULONG_PTR>(m_helpIds));
        return TRUE;
    }
    return fw::CDialog::WindowProc(msg, wParam, lParam);
}

}  // namespace korvisa
