#include "platform/tidemark/module_launch.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

namespace tidemark {

bool BuildModuleCommandLine(const char* path, const char* args, char* out, size_t outSize)
{
    if (outSize == 0)
        return false;
    out[0] = '\0';
    if (!path || !path[0] || std::strchr(path, '"'))
        return false;
    const bool hasArgs = args && args[0];
    int written = std::snprintf(out, outSize, hasArgs ? "\"%s\" %s" : "\"%s\"", path, hasArgs ? args : "");
    if (written < 0 || static_cast<size_t>(written) >= outSize) {
        out[0] = '\0';
        return false;
    }
    return true;
}

bool StartModule(const char* path, const char* args)
{
    char commandLine[kMaxCommandLine];
    if (!BuildModuleCommandLine(path, args, commandLine, sizeof commandLine))
        return false;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!::CreateProcessA(path, commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return false;
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return true;
}

}  // namespace tidemark
