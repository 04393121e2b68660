// Context help of the information pages: each page has a table of
// {control id, help context id} pairs ended by {0, 0}, as WinHelp takes it.
#pragma once
#include <windows.h>

namespace korvisa {

// The help context of a control of a dialog template.
constexpr DWORD HelpContextId(UINT templateId, UINT controlId)
{
    return 0x80000000u + templateId * 65536u + controlId;
}

extern const DWORD kBodyHelpIds[];
// The printer page and the printer status page share one table: the status
// controls carry the monitoring-conditions template's number.
extern const DWORD kPrinterHelpIds[];

}  // namespace korvisa
