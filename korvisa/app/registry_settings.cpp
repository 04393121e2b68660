#include "korvisa/app/registry_settings.h"

#include <vector>

#include "common/cp932.h"
#include "korvisa/res/resource.h"
#include "platform/framework/resources.h"

namespace korvisa {

bool ReadMachineString(const char* keyPath, const char* valueName, size_t size, std::string& out)
{
    out.clear();
    HKEY key;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, keyPath, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return false;
    DWORD type = 0, length = 0;
    LONG status = ::RegQueryValueExA(key, valueName, nullptr, &type, nullptr, &length);
    bool ok = false;
    if (status == ERROR_SUCCESS && (type == REG_SZ || type == REG_EXPAND_SZ) && length < (1u << 20)) {
        // One spare byte: a stored string need not end with its terminator.
        std::vector<char> data(length + 1, '\0');
        DWORD got = length;
        if (::RegQueryValueExA(key, valueName, nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &got) ==
                ERROR_SUCCESS &&
            got <= length) {
            data[got] = '\0';
            std::vector<char> cut(size > 0 ? size : 1);
            cp932::CopyBounded(cut.data(), cut.size(), data.data());
            out = cut.data();
            ok = true;
        }
    }
    ::RegCloseKey(key);
    return ok;
}

bool ReadMachineDword(const char* keyPath, const char* valueName, DWORD& out)
{
    HKEY key;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, keyPath, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return false;
    DWORD type = 0, value = 0, length = sizeof value;
    LONG status = ::RegQueryValueExA(key, valueName, nullptr, &type, reinterpret_cast<BYTE*>(&value), &length);
    ::RegCloseKey(key);
    if (status != ERROR_SUCCESS || type != REG_DWORD || length != sizeof value)
        return false;
    out = value;
    return true;
}

static bool WriteMachineValue(const char* keyPath, const char* valueName, DWORD type, const BYTE* data, DWORD size)
{
    HKEY key;
    if (::RegCreateKeyExA(HKEY_LOCAL_MACHINE, keyPath, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr,
                          &key, nullptr) != ERROR_SUCCESS)
        return false;
    LONG status = ::RegSetValueExA(key, valueName, 0, type, data, size);
    ::RegCloseKey(key);
    return status == ERROR_SUCCESS;
}

bool WriteMachineString(const char* keyPath, const char* valueName, const std::string& value)
{
    return WriteMachineValue(keyPath, valueName, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                             static_cast<DWORD>(value.size() + 1));
}

bool WriteMachineDword(const char* keyPath, const char* valueName, DWORD value)
{
    return WriteMachineValue(keyPath, valueName, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
}

std::string CommonKey()
{
    return fw::LoadStr(IDS_KEY_COMMON);
}

std::string ScreenKey()
{
    return fw::LoadStr(IDS_KEY_SCREEN);
}

std::string InstallDir()
{
    std::string value;
    ReadMachineString(CommonKey().c_str(), "InstDIR", kPathValueSize, value);
    return value;
}

std::string DmiDir()
{
    std::string value;
    ReadMachineString(CommonKey().c_str(), "DMIDIR", kPathValueSize, value);
    return value;
}

}  // namespace korvisa
