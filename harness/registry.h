#pragma once
// Registry values of the desk: what the programs read and write.
#include <windows.h>

#include <optional>
#include <string>

namespace harness {

// Longest value read; anything larger is not read at all.
constexpr DWORD kMaxRegistryValue = 65536;

// A REG_SZ or REG_EXPAND_SZ value (not expanded); nothing when it is missing,
// of another type or larger than kMaxRegistryValue.
std::optional<std::string> readRegistryString(HKEY root, const std::string& key,
                                              const std::string& name);
// A REG_DWORD value; nothing when it is missing or of another type.
std::optional<DWORD> readRegistryDword(HKEY root, const std::string& key, const std::string& name);

// Writers create the key when needed.
bool writeRegistryString(HKEY root, const std::string& key, const std::string& name,
                         const std::string& value);
bool writeRegistryDword(HKEY root, const std::string& key, const std::string& name, DWORD value);

// True when the value or key is absent afterwards. A key is deleted only when
// it has no subkeys.
bool deleteRegistryValue(HKEY root, const std::string& key, const std::string& name);
bool deleteRegistryKey(HKEY root, const std::string& key);

}  // namespace harness
