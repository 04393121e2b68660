// The service layer's side for the PC's component program: DmiInvoke takes
// the one command that program sends (unregister its instrumentation) and
// keeps every block it receives in DMIDIR\corvaneslinf.log, each as a 32-bit
// length and the block's bytes, so that what was sent can be checked.
#include <windows.h>

#include <cstring>
#include <string>

#include "platform/dmi/memory_span.h"

namespace {

constexpr ULONG kNoError = 0, kIllFormedCommand = 0x201, kIllegalCommand = 0x202, kIllegalLevel = 0x208;
constexpr ULONG kUnregisterCi = 0x401;
constexpr uint32_t kMaxRecorded = 64 * 1024;

std::string LogPath()
{
    HKEY key;
    char dir[MAX_PATH] = "";
    DWORD size = sizeof dir - 1, type = 0;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Corvane Technologies, Inc.\\Corvane DMI\\CurrentVersion", 0,
                        KEY_QUERY_VALUE, &key) == ERROR_SUCCESS) {
        if (::RegQueryValueExA(key, "DMIDIR", nullptr, &type, reinterpret_cast<BYTE*>(dir), &size) != ERROR_SUCCESS ||
            type != REG_SZ)
            size = 0;
        dir[size < sizeof dir ? size : sizeof dir - 1] = '\0';
        ::RegCloseKey(key);
    }
    std::string path = dir[0] ? dir : "C:\\DMI";
    if (path.back() != '\\')
        path += '\\';
    return path + "corvaneslinf.log";
}

void Record(const uint8_t* block, uint32_t length)
{
    HANDLE file = ::CreateFileA(LogPath().c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    ::WriteFile(file, &length, sizeof length, &written, nullptr);
    ::WriteFile(file, block, length, &written, nullptr);
    ::CloseHandle(file);
}

}  // namespace

extern "C" ULONG WINAPI DmiInvoke(void* commandBlock)
{
    const auto* block = static_cast<const uint8_t*>(commandBlock);
    if (!block || service::AccessibleBytes(block, 64, false) < 64)
        return kIllFormedCommand;
    uint32_t level, command, length;
    std::memcpy(&level, block, 4);
    std::memcpy(&command, block + 4, 4);
    std::memcpy(&length, block + 8, 4);
    // The declared length, at least the header, never more than a sane block.
    if (length < 64)
        length = 64;
    if (length > kMaxRecorded)
        length = kMaxRecorded;
    // A length that runs past the caller's memory is kept to what is there.
    length = static_cast<uint32_t>(service::AccessibleBytes(block, length, false));
    Record(block, length);
    if (level != 0x444D3131 && level != 0x444D4931)
        return kIllegalLevel;
    return command == kUnregisterCi ? kNoError : kIllegalCommand;
}
