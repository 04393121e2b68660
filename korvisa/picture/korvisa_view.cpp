#include "korvisa/picture/korvisa_view.h"

namespace korvisa {

LRESULT CKORVISAView::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_SIZE) {
        // The tabs fill the form, less a small margin.
        int width = LOWORD(lParam), height = HIWORD(lParam);
        if (HWND tabs = ::GetDlgItem(m_hWnd, IDC_PICTURE_TABS))
            ::MoveWindow(tabs, 4, 4, width > 8 ? width - 8 : 0, height > 8 ? height - 8 : 0, TRUE);
    }
    return fw::CFormView::WindowProc(msg, wParam, lParam);
}

}  // namespace korvisa
