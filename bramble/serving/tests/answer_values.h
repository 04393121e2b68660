// Reading the entry points' answers in the serving tests: the value an
// AttributeResult points to, and key lists of one key.
#pragma once
#include <cstdint>
#include <cstring>
#include <string>

#include "bramble/serving/ci_entry_points.h"

namespace answer {

inline std::string Text(const bramble::AttributeResult* r)
{
    uint32_t length;
    std::memcpy(&length, r->value, 4);
    return std::string(static_cast<const char*>(r->value) + 4, length);
}

inline int32_t Integer(const bramble::AttributeResult* r)
{
    int32_t v;
    std::memcpy(&v, r->value, 4);
    return v;
}

inline int64_t Wide(const bramble::AttributeResult* r)
{
    int64_t v;
    std::memcpy(&v, r->value, 8);
    return v;
}

// One key value and the key-list entry that points to it.
struct Key {
    uint32_t value;
    bramble::KeyEntry entry;
    explicit Key(uint32_t v) : value(v), entry{1, 5, &value} {}
};

inline bramble::AttributeResult* Get(ULONG group, ULONG attribute, ULONG count = 0,
                                     bramble::KeyEntry* keys = nullptr)
{
    return CiGetAttribute(0, group, attribute, count, keys);
}

}  // namespace answer
