#include "platform/framework/help.h"

#include <windows.h>

#include "common/path.h"

namespace fw {

std::string HelpFilePath()
{
    char program[MAX_PATH + 1] = "";
    DWORD length = ::GetModuleFileNameA(nullptr, program, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return std::string();
    char help[MAX_PATH + 8];
    if (!path::ReplaceExtension(help, sizeof help, program, ".HLP"))
        return std::string();
    return help;
}

}  // namespace fw
