// The main window's form: the tabs of the PC's pictures.
#pragma once
#include "korvisa/res/resource.h"
#include "platform/framework/document.h"

namespace korvisa {

class CKORVISAView : public fw::CFormView {
public:
    CKORVISAView() : fw::CFormView(IDD_KORVISA_FORM) {}

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
};

}  // namespace korvisa
