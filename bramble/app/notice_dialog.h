// The notice dialog: one message text and an OK button, shown modally.
#pragma once
#include <string>

#include "platform/framework/dialog.h"

namespace bramble {

class NoticeDialog : public fw::CDialog {
public:
    explicit NoticeDialog(const std::string& text, HWND parent = nullptr);

protected:
    bool OnInitDialog() override;

private:
    std::string text_;
};

// Shows the text in the notice dialog and waits until it is closed.
void ShowNotice(const std::string& text, HWND parent = nullptr);

}  // namespace bramble
