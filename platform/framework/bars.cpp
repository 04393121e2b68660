#include "platform/framework/bars.h"

#include <commctrl.h>

#include <cstring>

namespace fw {

int CControlBar::LayoutHeight() const
{
    if (!IsVisible())
        return 0;
    RECT r;
    ::GetWindowRect(m_hWnd, &r);
    return r.bottom - r.top;
}

int CControlBar::LayoutWidth() const
{
    if (!m_hWnd)
        return 0;
    RECT r;
    ::GetWindowRect(m_hWnd, &r);
    return r.right - r.left;
}

bool CToolBar::Create(HWND parent, UINT id)
{
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&icc);
    // The frame places and sizes the bar on whichever edge it is docked:
    // the control neither aligns itself to its parent nor resizes itself.
    HWND hwnd = ::CreateWindowExA(0, TOOLBARCLASSNAMEA, "",
                                  WS_CHILD | WS_VISIBLE | TBSTYLE_TOOLTIPS | CCS_TOP | CCS_NOPARENTALIGN |
                                      CCS_NORESIZE | WS_CLIPSIBLINGS,
                                  0, 0, 0, 0, parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
                                  ::GetModuleHandleA(nullptr), nullptr);
    if (!hwnd)
        return false;
    ::SendMessageA(hwnd, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    return SubclassWindow(hwnd);
}

bool CToolBar::LoadButtons(UINT bitmapId, int imageWidth, int imageHeight, const UINT* ids, size_t count)
{
    if (!m_hWnd)
        return false;
    HINSTANCE instance = ::GetModuleHandleA(nullptr);
    if (!::FindResourceA(instance, MAKEINTRESOURCEA(bitmapId), MAKEINTRESOURCEA(2) /* RT_BITMAP */))
        return false;
    SendMessage(TB_SETBITMAPSIZE, 0, MAKELONG(imageWidth, imageHeight));
    size_t images = 0;
    for (size_t i = 0; i < count; ++i)
        images += ids[i] != 0;
    TBADDBITMAP add = {instance, bitmapId};
    if (SendMessage(TB_ADDBITMAP, images, reinterpret_cast<LPARAM>(&add)) < 0)
        return false;

    std::vector<TBBUTTON> buttons(count);
    int image = 0;
    for (size_t i = 0; i < count; ++i) {
        TBBUTTON& b = buttons[i];
        b.idCommand = static_cast<int>(ids[i]);
        b.fsState = ids[i] ? TBSTATE_ENABLED : 0;
        b.fsStyle = ids[i] ? TBSTYLE_BUTTON : TBSTYLE_SEP;
        b.iBitmap = ids[i] ? image++ : 0;
    }
    if (!SendMessage(TB_ADDBUTTONSA, count, reinterpret_cast<LPARAM>(buttons.data())))
        return false;
    m_ids.assign(ids, ids + count);
    m_imageSize = SIZE{imageWidth, imageHeight};
    SendMessage(TB_AUTOSIZE);
    return true;
}

void CToolBar::SetDockedSide(DWORD side)
{
    bool wasVertical = IsVertical();
    m_dockedSide = side;
    if (!m_hWnd || wasVertical == IsVertical())
        return;
    // Standing, every item ends its row: one button per row, and a
    // separator becomes a gap between rows. Separators share command id 0,
    // so the buttons are read by position and put back with the row break
    // set or cleared (states such as enabled and checked are kept).
    int count = static_cast<int>(SendMessage(TB_BUTTONCOUNT));
    std::vector<TBBUTTON> buttons(count > 0 ? count : 0);
    for (int i = 0; i < count; ++i)
        SendMessage(TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&buttons[i]));
    for (int i = count - 1; i >= 0; --i)
        SendMessage(TB_DELETEBUTTON, i);
    for (TBBUTTON& b : buttons)
        b.fsState = static_cast<BYTE>(IsVertical() ? (b.fsState | TBSTATE_WRAP) : (b.fsState & ~TBSTATE_WRAP));
    if (!buttons.empty())
        SendMessage(TB_ADDBUTTONSA, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
}

int CToolBar::Thickness() const
{
    if (!m_hWnd)
        return 0;
    // The far side of the buttons laid out, a border as wide as the near
    // one, and the control's own frame (its divider line), asked of a sample
    // rectangle since the window may not have been given its size yet.
    RECT sample = {0, 0, 1000, 1000};
    SendMessage(WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&sample));
    int frame = IsVertical() ? 1000 - (sample.right - sample.left) : 1000 - (sample.bottom - sample.top);
    int extent = 0, nearBorder = 0;
    int count = static_cast<int>(SendMessage(TB_BUTTONCOUNT));
    for (int i = 0; i < count; ++i) {
        RECT item;
        if (!SendMessage(TB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&item)))
            continue;
        int farEdge = IsVertical() ? item.right : item.bottom;
        int nearEdge = IsVertical() ? item.left : item.top;
        if (farEdge > extent) {
            extent = farEdge;
            nearBorder = nearEdge;
        }
    }
    if (extent == 0) {
        DWORD size = static_cast<DWORD>(SendMessage(TB_GETBUTTONSIZE));
        extent = IsVertical() ? LOWORD(size) : HIWORD(size);
    }
    return frame + extent + nearBorder;
}

void CToolBar::UpdateButtons(CCmdTarget& router)
{
    for (UINT id : m_ids) {
        if (id == 0)
            continue;
        CCmdUI ui;
        ui.id = id;
        router.UpdateCommand(ui);
        bool enabled = ui.handled && ui.enabled;
        if (((SendMessage(TB_ISBUTTONENABLED, id) != 0)) != enabled)
            SendMessage(TB_ENABLEBUTTON, id, MAKELONG(enabled, 0));
        if ((SendMessage(TB_ISBUTTONCHECKED, id) != 0) != ui.checked)
            SendMessage(TB_CHECKBUTTON, id, MAKELONG(ui.checked, 0));
    }
}

bool CStatusBar::Create(HWND parent, UINT id)
{
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&icc);
    HWND hwnd = ::CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE | CCS_BOTTOM | WS_CLIPSIBLINGS, 0,
                                  0, 0, 0, parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
                                  ::GetModuleHandleA(nullptr), nullptr);
    return hwnd && SubclassWindow(hwnd);
}

void CStatusBar::SetText(const char* text)
{
    if (m_hWnd)
        SendMessage(SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(text));
}

std::string CStatusBar::GetText() const
{
    if (!m_hWnd)
        return std::string();
    // A status bar that keeps Unicode text counts characters, not bytes, yet
    // writes the whole code page 932 text: room for two bytes each.
    size_t length = LOWORD(SendMessage(SB_GETTEXTLENGTHA, 0));
    std::string text(2 * length + 1, '\0');
    SendMessage(SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(&text[0]));
    text.resize(std::strlen(text.c_str()));
    return text;
}

}  // namespace fw
