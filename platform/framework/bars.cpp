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
    HWND hwnd = ::CreateWindowExA(0, TOOLBARCLASSNAMEA, "",
                                  WS_CHILD | WS_VISIBLE | TBSTYLE_TOOLTIPS | CCS_TOP | WS_CLIPSIBLINGS, 0, 0, 0, 0,
                                  parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
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
