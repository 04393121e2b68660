// Which groups and attributes the vendor component serves, with their DMI
// types and string lengths (the same as its MIF declares), and where the
// system's values for each group come from.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/vendor/vendor_values.h"

namespace vendor {

// Attribute 1 of every table group is its key: the row's key value.
constexpr uint32_t kKeyAttribute = 1;

// The most rows a table has, from the system or from the profile.
constexpr size_t kMaxTableRows = 256;

// The keys of the rows the system has for a table, in their natural order.
using SystemRowsReader = std::vector<uint32_t> (*)();

// The system's value of one attribute of one row (key 0 for a scalar group).
// False when the system has no such row or cannot tell the value.
using SystemValueReader = bool (*)(uint32_t key, uint32_t attribute, Value* out);

struct AttributeSpec {
    uint32_t id;
    uint32_t type;       // dmi::DataType
    uint32_t maxLength;  // strings: the most bytes a value holds; 0 otherwise
};

struct GroupSpec {
    uint32_t id;
    bool table;  // rows addressed by key attribute 1
    const AttributeSpec* attributes;
    size_t attributeCount;
    SystemRowsReader systemRows;    // tables only; null: rows only from the profile
    SystemValueReader systemValue;  // null: values only from the profile
};

// The group with the id, or nullptr.
const GroupSpec* FindGroup(uint32_t id);

// The group's attribute with the id, or nullptr.
const AttributeSpec* FindAttribute(const GroupSpec& group, uint32_t id);

// Every group served, in ascending id.
const GroupSpec* AllGroups(size_t* count);

// Helpers for the readers.
Value IntegerValue(int64_t value);   // type integer, clamped to 32 bits signed
Value TextValue(const std::string& text);  // type display string

}  // namespace vendor
