#include "platform/framework/dialog.h"

#include <cstdio>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <vector>

#include "common/cp932.h"
#include "platform/framework/resources.h"

namespace fw {

void CDataExchange::Fail(int controlId)
{
    if (!m_failed) {
        m_failed = true;
        m_failedControl = controlId;
    }
}

static std::string ControlText(HWND dialog, int controlId)
{
    HWND control = ::GetDlgItem(dialog, controlId);
    if (!control)
        return std::string();
    int length = ::GetWindowTextLengthA(control);
    if (length <= 0)
        return std::string();
    std::vector<char> buffer(static_cast<size_t>(length) + 1);
    int got = ::GetWindowTextA(control, buffer.data(), length + 1);
    return std::string(buffer.data(), got > 0 ? static_cast<size_t>(got) : 0);
}

void DDX_Text(CDataExchange& dx, int controlId, std::string& value)
{
    if (dx.m_save)
        value = ControlText(dx.m_dialog, controlId);
    else
        ::SetDlgItemTextA(dx.m_dialog, controlId, value.c_str());
}

void DDX_Text(CDataExchange& dx, int controlId, char* buffer, size_t size)
{
    if (size == 0)
        return;
    if (dx.m_save) {
        // Cut to the buffer before a character that does not fit whole
        // (GetDlgItemTextA would keep the lead byte of a split one).
        cp932::CopyBounded(buffer, size, ControlText(dx.m_dialog, controlId).c_str());
    } else {
        ::SetDlgItemTextA(dx.m_dialog, controlId, buffer);
    }
}

void DDX_Text(CDataExchange& dx, int controlId, int& value)
{
    if (!dx.m_save) {
        char text[16];
        std::snprintf(text, sizeof text, "%d", value);
        ::SetDlgItemTextA(dx.m_dialog, controlId, text);
        return;
    }
    std::string text = ControlText(dx.m_dialog, controlId);
    size_t first = text.find_first_not_of(' ');
    size_t last = text.find_last_not_of(' ');
    if (first == std::string::npos) {
        dx.Fail(controlId);
        return;
    }
    text = text.substr(first, last - first + 1);
    char* end = nullptr;
    errno = 0;
    long number = std::strtol(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || number < INT_MIN || number > INT_MAX) {
        dx.Fail(controlId);
        return;
    }
    value = static_cast<int>(number);
}

void DDX_Check(CDataExchange& dx, int controlId, int& value)
{
    if (dx.m_save)
        value = static_cast<int>(::IsDlgButtonChecked(dx.m_dialog, controlId));
    else
        ::CheckDlgButton(dx.m_dialog, controlId, static_cast<UINT>(value));
}

void DDV_MaxChars(CDataExchange& dx, int controlId, const std::string& value, int maxBytes)
{
    if (dx.m_save) {
        if (static_cast<int>(value.size()) > maxBytes)
            dx.Fail(controlId);
    } else {
        ::SendDlgItemMessageA(dx.m_dialog, controlId, EM_LIMITTEXT, static_cast<WPARAM>(maxBytes), 0);
    }
}

INT_PTR CDialog::DoModal()
{
    m_modal = true;
    INT_PTR result = ::DialogBoxParamA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(m_templateId), m_parent,
                                       FrameworkDlgProc, reinterpret_cast<LPARAM>(static_cast<CWnd*>(this)));
    m_modal = false;
    return result;
}

bool CDialog::Create(HWND parent)
{
    m_modal = false;
    m_parent = parent;
    HWND hwnd = ::CreateDialogParamA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(m_templateId), parent,
                                     FrameworkDlgProc, reinterpret_cast<LPARAM>(static_cast<CWnd*>(this)));
    return hwnd != nullptr;
}

void CDialog::EndDialog(int result)
{
    if (m_modal)
        ::EndDialog(m_hWnd, result);
    else
        DestroyWindow();
}

bool CDialog::UpdateData(bool saveAndValidate)
{
    CDataExchange dx(m_hWnd, saveAndValidate);
    DoDataExchange(dx);
    if (dx.m_failed) {
        HWND control = ::GetDlgItem(m_hWnd, dx.m_failedControl);
        if (control) {
            ::SetFocus(control);
            ::SendMessageA(control, EM_SETSEL, 0, -1);
        }
        return false;
    }
    return true;
}

bool CDialog::PreTranslateMessage(MSG& msg)
{
    // Modeless dialogs need the dialog manager's keyboard handling (Tab, Enter).
    return !m_modal && m_hWnd && ::IsDialogMessageA(m_hWnd, &msg);
}

bool CDialog::OnInitDialog()
{
    UpdateData(false);
    return true;
}

void CDialog::OnOK()
{
    if (UpdateData(true))
        EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

bool CDialog::OnCommand(UINT id, UINT notifyCode, HWND control)
{
    (void)control;
    if (notifyCode != BN_CLICKED && notifyCode != 1 /* accelerator */)
        return false;
    if (id == IDOK) {
        OnOK();
        return true;
    }
    if (id == IDCANCEL) {
        OnCancel();
        return true;
    }
    return false;
}

LRESULT CDialog::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_INITDIALOG:
        return OnInitDialog() ? TRUE : FALSE;
    case WM_COMMAND:
        return OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)) ? TRUE : FALSE;
    default:
        return Default(msg, wParam, lParam);
    }
}

}  // namespace fw
