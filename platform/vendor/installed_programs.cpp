#include "platform/vendor/installed_programs.h"

#include <windows.h>

#include <string>

#include "platform/vendor/attribute_catalogue.h"
#include "platform/vendor/registry_text.h"

namespace vendor {

namespace {

const char kUninstallKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
// Subkeys looked at, programs listed or not: a bound for a registry gone wrong.
constexpr DWORD kMaxSubkeys = 4096;

struct InstalledProgram {
    std::string keyName;
    std::string name;
    std::string version;
    std::string publisher;
    std::string location;
    std::string uninstall;
};

bool ReadProgram(HKEY uninstall, const char* keyName, InstalledProgram* program)
{
    HKEY key;
    if (RegOpenKeyExA(uninstall, keyName, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return false;
    program->keyName = keyName;
    const bool listed = ReadRegistryText(key, "DisplayName", &program->name) && !program->name.empty();
    if (listed) {
        ReadRegistryText(key, "DisplayVersion", &program->version);
        ReadRegistryText(key, "Publisher", &program->publisher);
        ReadRegistryText(key, "InstallLocation", &program->location);
        ReadRegistryText(key, "UninstallString", &program->uninstall);
    }
    RegCloseKey(key);
    return listed;
}

// The first `count` programs listed (or all there are, when fewer).
std::vector<InstalledProgram> ReadInstalledPrograms(size_t count)
{
    std::vector<InstalledProgram> programs;
    HKEY uninstall;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kUninstallKey, 0, KEY_ENUMERATE_SUB_KEYS, &uninstall) != ERROR_SUCCESS)
        return programs;
    for (DWORD index = 0; index < kMaxSubkeys && programs.size() < count; index++) {
        char name[MAX_PATH + 1];
        DWORD nameLength = MAX_PATH;
        const LONG rc = RegEnumKeyExA(uninstall, index, name, &nameLength, nullptr, nullptr, nullptr, nullptr);
        if (rc == ERROR_NO_MORE_ITEMS)
            break;
        if (rc != ERROR_SUCCESS)
            continue;  // a name too long for a key: not one Windows would write
        name[nameLength <= MAX_PATH ? nameLength : MAX_PATH] = '\0';
        InstalledProgram program;
        if (ReadProgram(uninstall, name, &program))
            programs.push_back(program);
    }
    RegCloseKey(uninstall);
    return programs;
}

}  // namespace

std::vector<uint32_t> ReadInstalledProgramRows()
{
    std::vector<uint32_t> keys;
    const size_t count = ReadInstalledPrograms(kMaxTableRows).size();
    for (size_t i = 1; i <= count; i++)
        keys.push_back(static_cast<uint32_t>(i));
    return keys;
}

bool ReadInstalledProgramValue(uint32_t key, uint32_t attribute, Value* out)
{
    if (attribute < 2 || attribute > 7 || key == 0 || key > kMaxTableRows)
        return false;
    const std::vector<InstalledProgram> programs = ReadInstalledPrograms(key);
    if (key > programs.size())
        return false;
    const InstalledProgram& program = programs[key - 1];
    const std::string* texts[] = {&program.name,     &program.version, &program.publisher,
                                  &program.location, &program.keyName, &program.uninstall};
    *out = TextValue(*texts[attribute - 2]);
    return true;
}

}  // namespace vendor
