#include "bramble/app/notice_dialog.h"

#include "bramble/res/resource.h"

namespace bramble {

NoticeDialog::NoticeDialog(const std::string& text, HWND parent) : fw::CDialog(IDD_NOTICE, parent), text_(text) {}

bool NoticeDialog::OnInitDialog()
{
    ::SetDlgItemTextA(m_hWnd, IDC_NOTICE_TEXT, text_.c_str());
    return fw::CDialog::OnInitDialog();
}

void ShowNotice(const std::string& text, HWND parent)
{
    NoticeDialog dialog(text, parent);
    dialog.DoModal();
}

}  // namespace bramble
