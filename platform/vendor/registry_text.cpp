#include "platform/vendor/registry_text.h"

#include <vector>

namespace vendor {

namespace {

// The value's type and bytes; false when missing or too large.
bool ReadRawValue(HKEY key, const char* name, DWORD* type, std::vector<char>* data)
{
    DWORD size = 0;
    if (RegQueryValueExA(key, name, nullptr, type, nullptr, &size) != ERROR_SUCCESS ||
        size > kMaxRegistryTextBytes)
        return false;
    // One spare byte, and the size asked again: the value may change between
    // the two calls.
    data->assign(size + 1, '\0');
    DWORD read = size;
    if (RegQueryValueExA(key, name, nullptr, type, reinterpret_cast<BYTE*>(data->data()), &read) !=
            ERROR_SUCCESS ||
        read > size)
        return false;
    data->resize(read);
    return true;
}

// The bytes up to the first NUL, or all of them when there is none.
std::string UpToNul(const std::vector<char>& data)
{
    size_t length = 0;
    while (length < data.size() && data[length] != '\0')
        length++;
    return std::string(data.data(), length);
}

bool IsTextType(DWORD type)
{
    return type == REG_SZ || type == REG_EXPAND_SZ;
}

}  // namespace

bool ReadRegistryText(HKEY key, const char* name, std::string* out)
{
    out->clear();
    DWORD type = 0;
    std::vector<char> data;
    if (!ReadRawValue(key, name, &type, &data) || !IsTextType(type))
        return false;
    *out = UpToNul(data);
    return true;
}

bool ReadRegistryWideText(HKEY key, const char* name, std::string* out)
{
    out->clear();
    DWORD type = 0;
    std::vector<char> data;
    if (!ReadRawValue(key, name, &type, &data))
        return false;
    if (IsTextType(type)) {
        *out = UpToNul(data);
        return true;
    }
    if (type != REG_BINARY)
        return false;
    std::vector<WCHAR> wide(data.size() / 2 + 1, 0);
    size_t count = 0;
    for (size_t i = 0; i + 1 < data.size(); i += 2) {
        const WCHAR c = static_cast<WCHAR>(static_cast<unsigned char>(data[i]) |
                                           (static_cast<unsigned char>(data[i + 1]) << 8));
        if (c == 0)
            break;
        wide[count++] = c;
    }
    if (count == 0)
        return true;
    const int needed = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(count), nullptr,
                                           0, nullptr, nullptr);
    if (needed <= 0)
        return false;
    std::vector<char> text(static_cast<size_t>(needed));
    const int written = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(count),
                                            text.data(), needed, nullptr, nullptr);
    if (written <= 0)
        return false;
    out->assign(text.data(), static_cast<size_t>(written));
    return true;
}

}  // namespace vendor
