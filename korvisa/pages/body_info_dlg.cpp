#include "korvisa/pages/body_info_dlg.h"

#include "korvisa/pages/help_ids.h"
#include "korvisa/res/page_ids.h"

namespace korvisa {

CBodyInfoDlg::CBodyInfoDlg(fw::CWnd* parent) : InfoPage(IDD_BODY_INFO, IDC_BODY_CLOSE, kBodyHelpIds, parent) {}

void CBodyInfoDlg::ReadPage()
{
    dmi::DmiAccess access;
    ReadBodyInfo(access, NotAvailable(), m_fields);
}

void CBodyInfoDlg::DoDataExchange(fw::CDataExchange& dx)
{
    fw::DDX_Text(dx, IDC_BODY_USER, m_fields.user);
    fw::DDX_Text(dx, IDC_BODY_COMPUTER, m_fields.computer);
    fw::DDX_Text(dx, IDC_BODY_MODEL, m_fields.model);
    fw::DDX_Text(dx, IDC_BODY_FAMILY, m_fields.family);
    fw::DDX_Text(dx, IDC_BODY_CLOCK, m_fields.clock);
}

}  // namespace korvisa
