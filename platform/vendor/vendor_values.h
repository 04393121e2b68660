// The values of the vendor component (group class "DMTF|Lanternfish|1.0"), as
// the service layer asks for them: one attribute of one group, and for a table
// group the row whose key attribute 1 equals a key value.
//
// Values come from the Win32 system where it has them and from the testbed
// profile's [Vendor] section, which wins over the system (see README.md for
// its keys). Safe to call from any thread.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vendor {

struct Value {
    uint32_t type = 0;     // DMI type: 1, 3, 5 integers; 7, 8 strings
    uint64_t integer = 0;  // integer types: the value's 32 bits (-1 is 0xFFFFFFFF)
    std::string text;      // string types: code page 932 bytes
};

enum class Result { Ok, NoSuchAttribute, NoSuchRow };

// The value of (group, attribute). For a table group, of the row whose key
// attribute 1 equals keyValue (keyValue 0: the first row); for a scalar group
// keyValue must be 0. NoSuchAttribute also when the profile marks the value
// as unreadable.
Result GetValue(uint32_t group, uint32_t attribute, uint32_t keyValue, Value* out);

// The key values of a table group's rows, in order (empty for a scalar group
// or an unknown group).
std::vector<uint32_t> RowKeys(uint32_t group);

}  // namespace vendor
