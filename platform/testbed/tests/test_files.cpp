#include "platform/testbed/tests/test_files.h"

#include <windows.h>

#include <fstream>
#include <sstream>

std::string TempFilePath(const char* name)
{
    char folder[MAX_PATH];
    DWORD n = GetTempPathA(sizeof folder, folder);
    std::string base = n > 0 && n < sizeof folder ? folder : "C:\\";
    return base + "tb" + std::to_string(GetCurrentProcessId()) + "_" + name;
}

std::string ReadWholeFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream data;
    data << in.rdbuf();
    return data.str();
}

bool WriteWholeFile(const std::string& path, const std::string& data)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << data;
    out.close();
    return !out.fail();
}

bool ReplaceWholeFile(const std::string& path, const std::string& data)
{
    const std::string side = path + ".new";
    if (!WriteWholeFile(side, data))
        return false;
    for (int attempt = 0; attempt < 1000; attempt++) {
        if (MoveFileExA(side.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING))
            return true;
        Sleep(1);
    }
    return false;
}

unsigned long long WriteTimeOf(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA info;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &info))
        return 0;
    return (static_cast<unsigned long long>(info.ftLastWriteTime.dwHighDateTime) << 32) |
           info.ftLastWriteTime.dwLowDateTime;
}

bool SetWriteTime(const std::string& path, unsigned long long time)
{
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    FILETIME ft = {static_cast<DWORD>(time), static_cast<DWORD>(time >> 32)};
    BOOL ok = SetFileTime(h, nullptr, nullptr, &ft);
    CloseHandle(h);
    return ok != FALSE;
}
