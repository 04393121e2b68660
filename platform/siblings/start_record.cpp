#include "platform/siblings/start_record.h"

#include <windows.h>

#include <cstring>
#include <string>

bool RecordStart()
{
    char program[MAX_PATH + 1] = "";
    DWORD length = ::GetModuleFileNameA(nullptr, program, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return false;
    std::string log(program, length);
    size_t dot = log.find_last_of(".\\");
    if (dot != std::string::npos && log[dot] == '.')
        log.resize(dot);
    log += "_start.log";

    char directory[MAX_PATH + 1] = "";
    DWORD got = ::GetCurrentDirectoryA(sizeof directory, directory);
    if (got == 0 || got >= sizeof directory)
        directory[0] = '\0';
    const char* commandLine = ::GetCommandLineA();
    std::string record = std::string("command=") + (commandLine ? commandLine : "") + "\r\ndirectory=" + directory +
                         "\r\n";

    HANDLE file = ::CreateFileA(log.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    BOOL ok = ::WriteFile(file, record.data(), static_cast<DWORD>(record.size()), &written, nullptr);
    ::CloseHandle(file);
    return ok && written == record.size();
}
