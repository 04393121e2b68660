// CBodyInfoDlg: the body page (template 2511). Shows user name, computer
// name, model, processor family and clock of the PC, "NA" for what cannot
// be read. Opened modally by the main frame: CBodyInfoDlg dlg(this); dlg.DoModal();
#pragma once
#include "korvisa/pages/body_info.h"
#include "korvisa/pages/info_page.h"

namespace korvisa {

class CBodyInfoDlg : public InfoPage {
public:
    explicit CBodyInfoDlg(fw::CWnd* parent);
    const BodyFields& Fields() const { return m_fields; }

protected:
    void ReadPage() override;
    void DoDataExchange(fw::CDataExchange& dx) override;

private:
    BodyFields m_fields;
};

}  // namespace korvisa
