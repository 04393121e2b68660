#pragma once
// Message boxes of the programs under test: found by caption, read, answered.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "harness/wait.h"

namespace harness {

// Window class of dialogs, message boxes included.
constexpr const char* kDialogClass = "#32770";
// Id of the static control that holds a message box's text.
constexpr int kMessageBoxTextId = 0xFFFF;

// A shown message box with exactly this caption (code page 932 bytes),
// optionally of one process (0: any). nullptr when there is none.
HWND findMessageBox(const std::string& caption, DWORD processId = 0);
HWND waitForMessageBox(const std::string& caption, DWORD processId = 0,
                       DWORD timeoutMs = kDefaultTimeoutMs);

std::optional<std::string> messageBoxText(HWND box, DWORD timeoutMs = kDefaultTimeoutMs);
// Ids of the box's visible push buttons (IDOK, IDYES, ...), in window order.
std::vector<int> messageBoxButtons(HWND box);

// Presses a button as a click would: the box gets WM_COMMAND from that
// button. False when the box has no such enabled button or does not answer.
bool pressButton(HWND box, int buttonId, DWORD timeoutMs = kDefaultTimeoutMs);
// Presses the button and waits until the box is gone.
bool answerMessageBox(HWND box, int buttonId, DWORD timeoutMs = kDefaultTimeoutMs);

}  // namespace harness
