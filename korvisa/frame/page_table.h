// The information pages the frame's page commands open. A command whose
// page does not exist yet has no opener and does nothing.
#pragma once
#include <windows.h>

namespace korvisa {

class CMainFrame;

// Runs one page modally with the frame as its parent.
using PageOpener = void (*)(CMainFrame& frame);

bool IsPageCommand(UINT command);
// The opener of a page command; nullptr when the command has no page yet.
PageOpener PageOpenerFor(UINT command);
// Puts another opener in place of a command's (or none); returns the old one.
PageOpener ReplacePageOpener(UINT command, PageOpener opener);

}  // namespace korvisa
