// CFetchProgressDlg: the modeless please-wait dialog that the slow pages show
// while they fetch. Its bar runs from 1 to 50 every 250 ms and starts again;
// the page closes it by sending it IDOK.
#pragma once
#include <string>

#include "platform/framework/dialog.h"

namespace korvisa {

class CFetchProgressDlg : public fw::CDialog {
public:
    static constexpr int kBarEnd = 50;
    static constexpr UINT kTimerId = 1;
    static constexpr UINT kTickMs = 250;

    CFetchProgressDlg();
    // Shows the dialog as a child of the page; m_title is set before.
    bool Create(fw::CWnd* owner);
    int Position() const;
    // The bar's position after one tick.
    static int NextPosition(int position) { return position >= kBarEnd ? 1 : position + 1; }

    std::string m_title;   // the owning page's title, shown in static 1201

protected:
    bool OnInitDialog() override;
    void DoDataExchange(fw::CDataExchange& dx) override;
    void OnOK() override;
    void OnCancel() override {}   // only the page ends it
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void Stop();
};

}  // namespace korvisa
