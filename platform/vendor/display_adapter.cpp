#include "platform/vendor/display_adapter.h"

#include <windows.h>

#include <cstring>

#include "platform/vendor/attribute_catalogue.h"
#include "platform/vendor/registry_text.h"

namespace vendor {

namespace {

// Windows 95/98: the first display adapter of the device classes.
const char kDisplayClassKey9x[] = "System\\CurrentControlSet\\Services\\Class\\Display\\0000";
// Windows NT: the first video device, naming its driver's key.
const char kVideoDeviceMap[] = "HARDWARE\\DEVICEMAP\\VIDEO";
const char kFirstVideoDevice[] = "\\Device\\Video0";
const char kLocalMachinePrefix[] = "\\Registry\\Machine\\";

char AsciiLower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool ReadFromKey(const char* subKey, bool wideFirst, std::string* chip)
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, subKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return false;
    bool found = wideFirst && ReadRegistryWideText(key, "HardwareInformation.ChipType", chip) &&
                 !chip->empty();
    if (!found)
        found = ReadRegistryText(key, "DriverDesc", chip) && !chip->empty();
    if (!found)
        found = ReadRegistryText(key, "Device Description", chip) && !chip->empty();
    RegCloseKey(key);
    return found;
}

bool ReadVideoChip(std::string* chip)
{
    if (ReadFromKey(kDisplayClassKey9x, false, chip))
        return true;
    HKEY map;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kVideoDeviceMap, 0, KEY_QUERY_VALUE, &map) != ERROR_SUCCESS)
        return false;
    std::string entry;
    const bool named = ReadRegistryText(map, kFirstVideoDevice, &entry);
    RegCloseKey(map);
    const std::string driverKey = named ? LocalMachineKeyOfDeviceEntry(entry) : std::string();
    return !driverKey.empty() && ReadFromKey(driverKey.c_str(), true, chip);
}

}  // namespace

std::string LocalMachineKeyOfDeviceEntry(const std::string& entry)
{
    const size_t prefixLength = std::strlen(kLocalMachinePrefix);
    if (entry.size() <= prefixLength)
        return std::string();
    for (size_t i = 0; i < prefixLength; i++) {
        if (AsciiLower(entry[i]) != AsciiLower(kLocalMachinePrefix[i]))
            return std::string();
    }
    return entry.substr(prefixLength);
}

bool ReadVideoAdapterValue(uint32_t key, uint32_t attribute, Value* out)
{
    std::string chip;
    if (key != 0 || attribute != 1 || !ReadVideoChip(&chip))
        return false;
    *out = TextValue(chip);
    return true;
}

}  // namespace vendor
