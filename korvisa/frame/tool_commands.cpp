#include "korvisa/frame/tool_commands.h"

#include <shellapi.h>

#include "korvisa/res/resource.h"

namespace korvisa {

bool ToolLaunchFor(UINT command, const std::string& installDir, const std::string& dmiDir, ToolLaunch& out)
{
    switch (command) {
    case ID_TOOL_STATUS_MONITOR:
        out.program = installDir + "\\Bin\\beacon.exe";
        out.workingDirectory = dmiDir + "\\Win32\\BIN";
        return true;
    case ID_TOOL_MIF_BROWSER:
        out.program = dmiDir + "\\Win32\\Bin\\foliant.exe";
        out.workingDirectory.clear();
        return true;
    case ID_TOOL_BIOS_BROWSER:
        out.program = dmiDir + "\\Win32\\Bin\\keelson.exe";
        out.workingDirectory.clear();
        return true;
    default:
        return false;
    }
}

bool StartTool(HWND owner, const ToolLaunch& launch)
{
    const char* directory = launch.workingDirectory.empty() ? nullptr : launch.workingDirectory.c_str();
    HINSTANCE result = ::ShellExecuteA(owner, nullptr, launch.program.c_str(), nullptr, directory, SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(result) > 32;
}

}  // namespace korvisa
