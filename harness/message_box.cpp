#include "harness/message_box.h"

#include "harness/window.h"

namespace harness {

namespace {

BOOL CALLBACK collectButton(HWND child, LPARAM context) {
    std::vector<int>* ids = reinterpret_cast<std::vector<int>*>(context);
    if (lstrcmpiA(windowClass(child).c_str(), "Button") == 0 && IsWindowVisible(child)) {
        ids->push_back(GetDlgCtrlID(child));
    }
    return TRUE;
}

WindowQuery boxQuery(const std::string& caption, DWORD processId) {
    WindowQuery query;
    query.className = kDialogClass;
    query.title = caption;
    query.processId = processId;
    // A box is shown only after its text is set: a hidden one may still be empty.
    query.visibleOnly = true;
    return query;
}

}  // namespace

HWND findMessageBox(const std::string& caption, DWORD processId) {
    return findWindow(boxQuery(caption, processId));
}

HWND waitForMessageBox(const std::string& caption, DWORD processId, DWORD timeoutMs) {
    return waitForWindow(boxQuery(caption, processId), timeoutMs);
}

std::optional<std::string> messageBoxText(HWND box, DWORD timeoutMs) {
    return controlText(box, kMessageBoxTextId, timeoutMs);
}

std::vector<int> messageBoxButtons(HWND box) {
    std::vector<int> ids;
    if (IsWindow(box)) EnumChildWindows(box, collectButton, reinterpret_cast<LPARAM>(&ids));
    return ids;
}

bool pressButton(HWND box, int buttonId, DWORD timeoutMs) {
    HWND button = controlOf(box, buttonId);
    if (button == nullptr || !IsWindowVisible(button) || !IsWindowEnabled(button)) return false;
    DWORD_PTR ignored = 0;
    return SendMessageTimeoutA(box, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                               reinterpret_cast<LPARAM>(button), SMTO_ABORTIFHUNG, timeoutMs,
                               &ignored) != 0;
}

bool answerMessageBox(HWND box, int buttonId, DWORD timeoutMs) {
    return pressButton(box, buttonId, timeoutMs) && waitForWindowGone(box, timeoutMs);
}

}  // namespace harness
