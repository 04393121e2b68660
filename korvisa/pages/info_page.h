// InfoPage: what every information page shares. A modal dialog that reads
// its values once while it initialises, shows "NA" for a value it cannot
// read, closes with its own close button like OK, and answers F1 or the
// title bar's "?" on a control with that control's help topic.
#pragma once
#include <string>

#include "platform/framework/dialog.h"

namespace korvisa {

class InfoPage : public fw::CDialog {
public:
    InfoPage(UINT templateId, UINT closeButtonId, const DWORD* helpIds, fw::CWnd* parent);

protected:
    // Loads the not-available text, reads the page, and shows what was read.
    bool OnInitDialog() override;
    // Fills the page's text members; called once while the page initialises.
    virtual void ReadPage() = 0;
    bool OnCommand(UINT id, UINT notifyCode, HWND control) override;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

    const std::string& NotAvailable() const { return m_notAvailable; }

private:
    UINT m_closeButtonId;
    const DWORD* m_helpIds;
    std::string m_notAvailable;
};

}  // namespace korvisa
