// bramble's message texts: string-table entries, some with the product name
// or a number put in.
#pragma once
#include <windows.h>

#include <string>

namespace bramble {

// The product name (entry 134).
std::string ProductName();
// Entry id with one text put in for its %s.
std::string FormatEntry(UINT id, const std::string& text);
// Entry id with two texts put in.
std::string FormatEntry(UINT id, const std::string& first, const std::string& second);
// Entry id with a number put in for its %ld.
std::string FormatEntry(UINT id, long number);
// Entry 5: the file cannot be accessed, with its path and the error code as
// four hexadecimal digits.
std::string FileAccessText(const std::string& path, DWORD error);

}  // namespace bramble
