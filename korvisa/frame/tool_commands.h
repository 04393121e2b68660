// The sibling tools the Tools menu starts: which program, and in which
// working directory (empty: the viewer's own).
#pragma once
#include <windows.h>

#include <string>

namespace korvisa {

struct ToolLaunch {
    std::string program;
    std::string workingDirectory;
};

// The launch of a tool command (32793, 32797, 32945) from the installation
// and DMI directories; false for any other command. A missing directory
// leaves the path incomplete, and the start then fails.
bool ToolLaunchFor(UINT command, const std::string& installDir, const std::string& dmiDir, ToolLaunch& out);

// Starts a tool with the shell's default action, no parameters, shown
// normally. A failure is not reported to the user; false tells the caller.
bool StartTool(HWND owner, const ToolLaunch& launch);

}  // namespace korvisa
