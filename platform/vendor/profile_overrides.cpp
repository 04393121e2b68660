#include "platform/vendor/profile_overrides.h"

#include <cstdio>
#include <cstring>

#include "common/dmi_types.h"
#include "platform/testbed/profile_parse.h"

namespace vendor {

const char kProfileSection[] = "Vendor";

namespace {

// Room for a row list: kMaxTableRows keys of ten digits with their commas
// and blanks fit well inside.
constexpr unsigned kRowListBytes = 8192;

// The profile's numbers are longs, which hold 32 bits on Windows: exactly the
// range of the integer type, and of counters and gauges as unsigned longs.
static_assert(sizeof(long) == sizeof(int32_t), "profile numbers are 32-bit");

}  // namespace

std::string ValueKeyName(uint32_t group, uint32_t attribute, uint32_t key)
{
    char name[48];
    if (key == 0)
        std::snprintf(name, sizeof name, "G%lu.A%lu", static_cast<unsigned long>(group),
                      static_cast<unsigned long>(attribute));
    else
        std::snprintf(name, sizeof name, "G%lu.A%lu.K%lu", static_cast<unsigned long>(group),
                      static_cast<unsigned long>(attribute), static_cast<unsigned long>(key));
    return name;
}

std::string RowsKeyName(uint32_t group)
{
    return "G" + std::to_string(group) + ".Rows";
}

std::vector<uint32_t> ParseRowList(const char* text, size_t length)
{
    std::vector<uint32_t> rows;
    const unsigned bounded = length < kRowListBytes ? static_cast<unsigned>(length) : kRowListBytes;
    unsigned start = 0, itemLength = 0;
    for (unsigned index = 0; rows.size() < kMaxTableRows &&
                             testbed_list_item(text, bounded, index, &start, &itemLength);
         index++) {
        unsigned long key = 0;
        if (!testbed_parse_uint(text + start, itemLength, &key) || key == 0)
            continue;
        bool known = false;
        for (uint32_t row : rows)
            known = known || row == key;
        if (!known)
            rows.push_back(static_cast<uint32_t>(key));
    }
    return rows;
}

bool ProfileRows(TestbedProfile& profile, uint32_t group, std::vector<uint32_t>* rows)
{
    std::vector<char> text(kRowListBytes);
    rows->clear();
    if (!profile.GetString(kProfileSection, RowsKeyName(group).c_str(), text.data(), kRowListBytes))
        return false;
    size_t length = std::strlen(text.data());
    // A list that filled the buffer was cut, perhaps inside its last item.
    if (length + 1 >= kRowListBytes) {
        const char* lastComma = std::strrchr(text.data(), ',');
        length = lastComma ? static_cast<size_t>(lastComma - text.data()) : 0;
    }
    *rows = ParseRowList(text.data(), length);
    return true;
}

bool ProfileFails(TestbedProfile& profile, uint32_t group, uint32_t attribute, uint32_t key)
{
    bool fails = false;
    const std::string name = ValueKeyName(group, attribute, key) + ".Fail";
    return profile.GetBool(kProfileSection, name.c_str(), &fails) && fails;
}

bool ProfileValue(TestbedProfile& profile, uint32_t group, const AttributeSpec& attribute, uint32_t key,
                  Value* out)
{
    const std::string name = ValueKeyName(group, attribute.id, key);
    Value value;
    value.type = attribute.type;
    switch (attribute.type) {
    case dmi::kInteger: {
        long number = 0;
        if (!profile.GetInt(kProfileSection, name.c_str(), &number))
            return false;
        value.integer = static_cast<uint32_t>(static_cast<int32_t>(number));
        break;
    }
    case dmi::kCounter:
    case dmi::kGauge: {
        unsigned long number = 0;
        if (!profile.GetUInt(kProfileSection, name.c_str(), &number))
            return false;
        value.integer = number;
        break;
    }
    case dmi::kOctetString:
    case dmi::kDisplayString: {
        std::vector<char> text(attribute.maxLength + 1);
        if (!profile.GetString(kProfileSection, name.c_str(), text.data(), attribute.maxLength + 1))
            return false;
        value.text = text.data();
        break;
    }
    default:
        return false;  // no attribute of the component has another type
    }
    *out = value;
    return true;
}

}  // namespace vendor
