#include "platform/framework/document.h"

#include "platform/framework/frame.h"

namespace fw {

void CDocument::SetTitle(const std::string& title)
{
    m_title = title;
    if (m_frame)
        m_frame->UpdateTitle();
}

bool CFormView::CreateView(CFrameWnd& frame, UINT controlId)
{
    m_frame = &frame;
    if (!Create(frame.m_hWnd))
        return false;
    ::SetWindowLongPtrA(m_hWnd, GWLP_ID, static_cast<LONG_PTR>(controlId));
    return true;
}

bool CFormView::OnInitDialog()
{
    CDialog::OnInitDialog();
    return false;
}

bool CFormView::OnCommand(UINT id, UINT notifyCode, HWND control)
{
    // Menu and accelerator commands that reach the view go up to the frame.
    if (control == nullptr && (notifyCode == 0 || notifyCode == 1) && m_frame) {
        m_frame->RouteCommand(id);
        return true;
    }
    return CDialog::OnCommand(id, notifyCode, control);
}

}  // namespace fw
