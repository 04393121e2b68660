// The [Vendor] section of the testbed profile: values that win over the
// system's, the rows of tables, and values that are to fail.
//
//   G6.A1=524288          scalar group 6, attribute 1
//   G16.A2.K1=Printer 1   table group 16, attribute 2 of the row with key 1
//   G16.Rows=1,2          the keys of table group 16's rows, in order
//   G19.A3.K2.Fail=1      reading attribute 3 of modem row 2 fails
//   G14.A1.Fail=1         reading scalar attribute 1 of group 14 fails
//
// Every value is checked against its attribute's type: integers in its range
// (type integer -2147483648 to 2147483647, counter and gauge 0 to 4294967295),
// strings cut to the attribute's length without splitting a double-byte
// character. A value that does not fit its type is ignored.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/testbed/profile_reader.h"
#include "platform/vendor/attribute_catalogue.h"

namespace vendor {

extern const char kProfileSection[];  // "Vendor"

// "G9.A3.K2" for a table row, "G6.A1" for a scalar group (key 0).
std::string ValueKeyName(uint32_t group, uint32_t attribute, uint32_t key);
// "G9.Rows".
std::string RowsKeyName(uint32_t group);

// The keys of a row list such as "1, 2, 5": numbers from 1 to 4294967295 in
// the order written, each once, at most kMaxTableRows of them; other items are
// left out.
std::vector<uint32_t> ParseRowList(const char* text, size_t length);

// The rows the profile gives for a table. False when it gives none (no such
// key); an empty value is a table without rows.
bool ProfileRows(TestbedProfile& profile, uint32_t group, std::vector<uint32_t>* rows);

// Whether the profile marks the value as unreadable.
bool ProfileFails(TestbedProfile& profile, uint32_t group, uint32_t attribute, uint32_t key);

// The profile's value for the attribute. False when it gives none or one that
// does not fit the attribute's type.
bool ProfileValue(TestbedProfile& profile, uint32_t group, const AttributeSpec& attribute, uint32_t key,
                  Value* out);

}  // namespace vendor
