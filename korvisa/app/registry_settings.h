// The viewer's registry values (all under HKEY_LOCAL_MACHINE), read bounded:
// a value longer than its buffer is cut without splitting a double-byte
// character, and a value of the wrong type counts as missing.
#pragma once
#include <windows.h>
#include <string>

namespace korvisa {

// Size limits of the values the viewer keeps.
constexpr size_t kPathValueSize = 256;      // InstDIR, DMIDIR
constexpr size_t kPositionValueSize = 260;  // PositionMain

// A string value cut to at most size - 1 bytes; false when missing or not a string.
bool ReadMachineString(const char* keyPath, const char* valueName, size_t size, std::string& out);
bool ReadMachineDword(const char* keyPath, const char* valueName, DWORD& out);
// Writers create the key when it is missing; false when the value was not stored.
bool WriteMachineString(const char* keyPath, const char* valueName, const std::string& value);
bool WriteMachineDword(const char* keyPath, const char* valueName, DWORD value);

// The key paths, from the program's string resources.
std::string CommonKey();       // installation: InstDIR, DMIDIR, CoName, UsrName, Security
std::string ScreenKey();       // window positions: Preserve, PositionMain

// InstDIR and DMIDIR, read afresh each time; "" when missing.
std::string InstallDir();
std::string DmiDir();

}  // namespace korvisa
