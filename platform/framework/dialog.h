// Dialogs from templates, modal or modeless, with data exchange between the
// dialog's members and its controls (copy in, edit, copy back on OK).
#pragma once
#include <windows.h>
#include <string>

#include "platform/framework/wnd.h"

namespace fw {

class CDataExchange {
public:
    CDataExchange(HWND dialog, bool saveAndValidate) : m_dialog(dialog), m_save(saveAndValidate) {}
    HWND m_dialog;
    bool m_save;         // true: controls to members; false: members to controls
    bool m_failed = false;
    int m_failedControl = 0;
    void Fail(int controlId);
};

// Text of an edit or static control and a member. Text is read bounded by
// the control's length; a char buffer member is filled without overrun.
void DDX_Text(CDataExchange& dx, int controlId, std::string& value);
void DDX_Text(CDataExchange& dx, int controlId, char* buffer, size_t size);
// A whole number; text that is not one fails the exchange (the caller shows why).
void DDX_Text(CDataExchange& dx, int controlId, int& value);
void DDX_Check(CDataExchange& dx, int controlId, int& value);
// Limits what the user can type and refuses longer text on save.
void DDV_MaxChars(CDataExchange& dx, int controlId, const std::string& value, int maxBytes);

class CDialog : public CWnd {
public:
    explicit CDialog(UINT templateId, HWND parent = nullptr) : m_templateId(templateId), m_parent(parent)
    {
        m_isDialog = true;
    }

    // Modal: runs until EndDialog, returns its result (-1 when the template is missing).
    INT_PTR DoModal();
    // Modeless: a child or pop-up that lives until destroyed.
    bool Create(HWND parent);
    void EndDialog(int result);

    // Copies members to controls (false) or controls to members (true).
    bool UpdateData(bool saveAndValidate);

    UINT TemplateId() const { return m_templateId; }
    bool IsModal() const { return m_modal; }
    bool PreTranslateMessage(MSG& msg) override;

protected:
    virtual bool OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    virtual void DoDataExchange(CDataExchange& dx) { (void)dx; }
    // A command from a control or menu; false passes it on.
    virtual bool OnCommand(UINT id, UINT notifyCode, HWND control);
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

    UINT m_templateId;
    HWND m_parent;
    bool m_modal = false;
};

}  // namespace fw
