// Reading texts from the registry without trusting what is stored: a value of
// the wrong type, one without its terminating NUL or one larger than a limit
// is handled, never overrun.
#pragma once

#include <windows.h>

#include <string>

namespace vendor {

// Values larger than this are not read: no text the vendor component shows
// comes near it.
constexpr DWORD kMaxRegistryTextBytes = 4096;

// A REG_SZ or REG_EXPAND_SZ value (not expanded), up to its first NUL. False
// when the value is missing, of another type or too large.
bool ReadRegistryText(HKEY key, const char* name, std::string* out);

// A text stored as UTF-16 bytes in a REG_BINARY value (as the NT video
// drivers store their hardware information), in the ANSI code page; a REG_SZ
// value is read as ReadRegistryText does. False as above, or when the bytes
// do not convert.
bool ReadRegistryWideText(HKEY key, const char* name, std::string* out);

}  // namespace vendor
