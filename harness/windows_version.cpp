#include "harness/windows_version.h"

#include <windows.h>

#include "harness/registry.h"

namespace harness {

namespace {

std::string fileName(const std::string& program) {
    const std::string::size_type slash = program.find_last_of("\\/");
    return slash == std::string::npos ? program : program.substr(slash + 1);
}

std::string settingsKey(const std::string& name) { return "Software\\Wine\\AppDefaults\\" + name; }

const char* versionName(WindowsVersion version) {
    switch (version) {
    case WindowsVersion::Win95: return "win95";
    case WindowsVersion::Win98: return "win98";
    case WindowsVersion::Nt40: return "nt40";
    }
    return "";
}

}  // namespace

bool setProgramWindowsVersion(const std::string& program, WindowsVersion version) {
    const std::string name = fileName(program);
    return !name.empty() &&
           writeRegistryString(HKEY_CURRENT_USER, settingsKey(name), "Version", versionName(version));
}

bool clearProgramWindowsVersion(const std::string& program) {
    const std::string name = fileName(program);
    return !name.empty() && deleteRegistryValue(HKEY_CURRENT_USER, settingsKey(name), "Version");
}

}  // namespace harness
