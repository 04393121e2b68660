#include "korvisa/pages/help_ids.h"

#include "korvisa/res/page_ids.h"

namespace korvisa {

namespace {

constexpr UINT kPrinterPage = 2503;
constexpr UINT kMonitoringConditions = 2517;

#define HELP_ENTRY(templateId, controlId) controlId, HelpContextId(templateId, controlId)

}  // namespace

const DWORD kBodyHelpIds[] = {
    HELP_ENTRY(IDD_BODY_INFO, IDC_BODY_GROUP),
    HELP_ENTRY(IDD_BODY_INFO, IDC_BODY_USER_LABEL),
    HELP_ENTRY(IDD_BODY_INFO, IDC_BODY_USER),
    HELP_ENTRY(IDD_BODY_INFO, IDC_BODY_COMPUTER_LABEL),
    HELP_ENTRY(IDD_BODY_INFO, IDC_BODY_COMPUTER),
    HELP_ENTRY(IDD_BODY_INFO, IDC_BODY_MODEL_LABEL),
    HELP_ENTRY(IDD_BODY_INFO, IDC_BODY_MODEL),
    HELP_ENTRY(IDD_BODY_INFO, IDC_BODY_FAMILY_LABEL),
    HELP_ENTRY(IDD_BODY_INFO, IDC_BODY_FAMILY),
    HELP_ENTRY(IDD_BODY_INFO, IDC_BODY_CLOCK_LABEL),
    HELP_ENTRY(IDD_BODY_INFO, IDC_BODY_CLOCK),
    HELP_ENTRY(IDD_BODY_INFO, IDC_BODY_CLOSE),
    0, 0,
};

const DWORD kPrinterHelpIds[] = {
    // The printer page: group box, printer list, resolution, paper size,
    // default-printer line, status and close buttons.
    HELP_ENTRY(kPrinterPage, 1053),
    HELP_ENTRY(kPrinterPage, 1150),
    HELP_ENTRY(kPrinterPage, 1152),
    HELP_ENTRY(kPrinterPage, 1153),
    HELP_ENTRY(kPrinterPage, 1154),
    HELP_ENTRY(kPrinterPage, 1155),
    HELP_ENTRY(kPrinterPage, 1157),
    HELP_ENTRY(kPrinterPage, 1158),
    HELP_ENTRY(kPrinterPage, 1160),
    // The printer status page's lines.
    HELP_ENTRY(kMonitoringConditions, 1041),
    HELP_ENTRY(kMonitoringConditions, 1042),
    HELP_ENTRY(kMonitoringConditions, 1043),
    HELP_ENTRY(kMonitoringConditions, 1061),
    HELP_ENTRY(kMonitoringConditions, 1062),
    HELP_ENTRY(kMonitoringConditions, 1063),
    0, 0,
};

}  // namespace korvisa
