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
