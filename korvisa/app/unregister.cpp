#include "korvisa/app/unregister.h"

#include <windows.h>

namespace korvisa {

// Deletes a key with all its subkeys (Windows NT refuses to delete a key that
// still has subkeys). A key that does not exist is not an error.
static bool DeleteKeyTree(HKEY parent, const char* name)
{
    HKEY key;
    LONG status = ::RegOpenKeyExA(parent, name, 0, KEY_READ | KEY_WRITE, &key);
    if (status == ERROR_FILE_NOT_FOUND)
        return true;
    if (status != ERROR_SUCCESS)
        return false;
    bool ok = true;
    char child[256];
    for (;;) {
        DWORD length = sizeof child;
        // Always the first subkey: the one before it is gone.
        if (::RegEnumKeyExA(key, 0, child, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        if (!DeleteKeyTree(key, child)) {
            ok = false;
            break;
        }
    }
    ::RegCloseKey(key);
    return ::RegDeleteKeyA(parent, name) == ERROR_SUCCESS && ok;
}

static bool ExtensionBelongsTo(const std::string& extension, const std::string& documentType)
{
    HKEY key;
    if (::RegOpenKeyExA(HKEY_CLASSES_ROOT, extension.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return false;
    char value[256] = "";
    DWORD type = 0, length = sizeof value - 1;
    LONG status = ::RegQueryValueExA(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(value), &length);
    ::RegCloseKey(key);
    if (status != ERROR_SUCCESS || type != REG_SZ)
        return false;
    value[length < sizeof value ? length : sizeof value - 1] = '\0';
    return documentType == value;
}

bool RemoveRegistration(const RegistrationNames& names)
{
    bool ok = true;
    if (ExtensionBelongsTo(names.extension, names.documentType))
        ok = DeleteKeyTree(HKEY_CLASSES_ROOT, names.extension.c_str()) && ok;
    if (!names.documentType.empty())
        ok = DeleteKeyTree(HKEY_CLASSES_ROOT, names.documentType.c_str()) && ok;

    DWORD attributes = ::GetFileAttributesA(names.profilePath.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && !::DeleteFileA(names.profilePath.c_str()))
        ok = false;
    return ok;
}

}  // namespace korvisa
