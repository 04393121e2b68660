// The main window's form: tabs of the PC's pictures (front, back, software)
// over a PictureCtrl. Which pictures exist, their files and their regions
// are read from the registry key of this PC's computer type.
#pragma once
#include <string>

#include "korvisa/picture/picture_ctrl.h"
#include "korvisa/res/resource.h"
#include "platform/framework/document.h"

namespace korvisa {

// Picture kinds; a kind is also its picture slot.
enum PictureKind { kFront = 0, kBack = 1, kSoftware = 2, kKindCount = 3 };

// The message the view posts to itself to set up once it exists.
constexpr UINT kViewSetUpMessage = WM_USER + 100;

class CKORVISAView : public fw::CFormView {
public:
    CKORVISAView() : fw::CFormView(IDD_KORVISA_FORM) {}

    // Reads the configuration, builds the tabs and loads the pictures; once.
    void SetUp();
    const std::string& ModelKey() const { return m_modelKey; }
    bool HasKind(int kind) const { return kind >= 0 && kind < kKindCount && m_hasKind[kind]; }
    PictureCtrl& Picture() { return m_picture; }
    // Shows the picture of the tab at this index.
    void SelectTab(int index);

protected:
    bool OnInitDialog() override;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    bool ChooseModelKey(const std::string& computerType);
    void LoadKind(int kind);
    void AddRegions(int kind);
    void Layout(int width, int height);
    void ShowError(const std::string& text, UINT icon);
    HWND Tabs() const { return ::GetDlgItem(m_hWnd, IDC_PICTURE_TABS); }

    std::string m_binDir;
    std::string m_modelKey;
    bool m_setUp = false;
    bool m_hasKind[kKindCount] = {};
    PictureCtrl m_picture;
    // Offsets of the form's layout: the tab control in the form, and the
    // picture's left edge in the form.
    int m_tabX = 0, m_tabY = 0, m_pictureX = 0;
};

}  // namespace korvisa
