#include "harness/registry.h"

#include <cstring>
#include <vector>

namespace harness {

namespace {

// Closes the key when it goes out of scope.
class Key {
public:
    Key(HKEY root, const std::string& path, REGSAM access, bool create) {
        LONG status;
        if (create) {
            status = RegCreateKeyExA(root, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access,
                                     nullptr, &key_, nullptr);
        } else {
            status = RegOpenKeyExA(root, path.c_str(), 0, access, &key_);
        }
        if (status != ERROR_SUCCESS) key_ = nullptr;
        status_ = status;
    }
    ~Key() {
        if (key_ != nullptr) RegCloseKey(key_);
    }
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;

    HKEY get() const { return key_; }
    LONG status() const { return status_; }

private:
    HKEY key_ = nullptr;
    LONG status_ = ERROR_SUCCESS;
};

// Reads a value of one of the accepted types into `data`, bounded.
bool readValue(HKEY root, const std::string& key, const std::string& name, DWORD wantedType,
               DWORD otherType, std::vector<BYTE>& data) {
    Key opened(root, key, KEY_QUERY_VALUE, false);
    if (opened.get() == nullptr) return false;
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(opened.get(), name.c_str(), nullptr, &type, nullptr, &size) !=
        ERROR_SUCCESS) {
        return false;
    }
    if ((type != wantedType && type != otherType) || size > kMaxRegistryValue) return false;
    data.assign(size, 0);
    // The value may change between the two calls; a grown one fails here.
    if (RegQueryValueExA(opened.get(), name.c_str(), nullptr, &type, data.data(), &size) !=
            ERROR_SUCCESS ||
        (type != wantedType && type != otherType)) {
        return false;
    }
    data.resize(size);
    return true;
}

bool writeValue(HKEY root, const std::string& key, const std::string& name, DWORD type,
                const BYTE* data, DWORD size) {
    Key opened(root, key, KEY_SET_VALUE, true);
    return opened.get() != nullptr &&
           RegSetValueExA(opened.get(), name.c_str(), 0, type, data, size) == ERROR_SUCCESS;
}

}  // namespace

std::optional<std::string> readRegistryString(HKEY root, const std::string& key,
                                              const std::string& name) {
    std::vector<BYTE> data;
    if (!readValue(root, key, name, REG_SZ, REG_EXPAND_SZ, data)) return std::nullopt;
    // A stored string need not end with a NUL; stop at the first one if it does.
    std::string text(data.begin(), data.end());
    const std::string::size_type end = text.find('\0');
    if (end != std::string::npos) text.resize(end);
    return text;
}

std::optional<DWORD> readRegistryDword(HKEY root, const std::string& key, const std::string& name) {
    std::vector<BYTE> data;
    if (!readValue(root, key, name, REG_DWORD, REG_DWORD, data) || data.size() != sizeof(DWORD)) {
        return std::nullopt;
    }
    DWORD value = 0;
    std::memcpy(&value, data.data(), sizeof value);
    return value;
}

bool writeRegistryString(HKEY root, const std::string& key, const std::string& name,
                         const std::string& value) {
    return writeValue(root, key, name, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                      static_cast<DWORD>(value.size() + 1));
}

bool writeRegistryDword(HKEY root, const std::string& key, const std::string& name, DWORD value) {
    return writeValue(root, key, name, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                      sizeof value);
}

bool deleteRegistryValue(HKEY root, const std::string& key, const std::string& name) {
    Key opened(root, key, KEY_SET_VALUE, false);
    if (opened.get() == nullptr) return opened.status() == ERROR_FILE_NOT_FOUND;
    const LONG status = RegDeleteValueA(opened.get(), name.c_str());
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}

bool deleteRegistryKey(HKEY root, const std::string& key) {
    const LONG status = RegDeleteKeyA(root, key.c_str());
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}

}  // namespace harness
