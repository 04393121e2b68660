// The vendor component's values: the profile's where it gives them, the
// system's otherwise, and an empty value (0 or "") for a row or attribute
// that neither knows, so that every listed row has every attribute.
#include "platform/vendor/vendor_values.h"

#include <algorithm>

#include "common/cp932.h"
#include "common/dmi_types.h"
#include "platform/vendor/attribute_catalogue.h"
#include "platform/vendor/profile_overrides.h"
#include "platform/vendor/vendor_profile.h"

namespace vendor {

namespace {

bool IsString(uint32_t type)
{
    return type == dmi::kOctetString || type == dmi::kDisplayString;
}

// The rows of a table: the profile's list when it gives one, else the
// system's, each key once, at most kMaxTableRows.
std::vector<uint32_t> TableRows(const GroupSpec& group)
{
    std::vector<uint32_t> rows;
    if (ProfileRows(VendorProfile(), group.id, &rows) || !group.systemRows)
        return rows;
    for (uint32_t key : group.systemRows()) {
        if (rows.size() >= kMaxTableRows)
            break;
        if (key != 0 && std::find(rows.begin(), rows.end(), key) == rows.end())
            rows.push_back(key);
    }
    return rows;
}

// The system's value, when it has one of the attribute's type; a text is cut
// to the attribute's length without splitting a double-byte character.
bool SystemValue(const GroupSpec& group, const AttributeSpec& attribute, uint32_t key, Value* out)
{
    Value value;
    if (!group.systemValue || !group.systemValue(key, attribute.id, &value) || value.type != attribute.type)
        return false;
    if (IsString(attribute.type))
        value.text.resize(cp932::PrefixBytes(value.text.c_str(), value.text.size(), attribute.maxLength,
                                              cp932::kUnlimited));
    *out = value;
    return true;
}

}  // namespace

Result GetValue(uint32_t group, uint32_t attribute, uint32_t keyValue, Value* out)
{
    if (!out)
        return Result::NoSuchAttribute;
    *out = Value();
    const GroupSpec* groupInfo = FindGroup(group);
    const AttributeSpec* attributeSpec = groupInfo ? FindAttribute(*groupInfo, attribute) : nullptr;
    if (!attributeSpec)
        return Result::NoSuchAttribute;

    uint32_t key = 0;
    if (groupInfo->table) {
        const std::vector<uint32_t> rows = TableRows(*groupInfo);
        if (rows.empty() || (keyValue != 0 && std::find(rows.begin(), rows.end(), keyValue) == rows.end()))
            return Result::NoSuchRow;
        key = keyValue != 0 ? keyValue : rows.front();
    } else if (keyValue != 0) {
        return Result::NoSuchRow;
    }

    TestbedProfile& profile = VendorProfile();
    if (ProfileFails(profile, group, attribute, key))
        return Result::NoSuchAttribute;
    if (groupInfo->table && attribute == kKeyAttribute) {
        out->type = attributeSpec->type;
        out->integer = key;
        return Result::Ok;
    }
    if (ProfileValue(profile, group, *attributeSpec, key, out) || SystemValue(*groupInfo, *attributeSpec, key, out))
        return Result::Ok;
    out->type = attributeSpec->type;
    return Result::Ok;
}

std::vector<uint32_t> RowKeys(uint32_t group)
{
    const GroupSpec* groupInfo = FindGroup(group);
    return groupInfo && groupInfo->table ? TableRows(*groupInfo) : std::vector<uint32_t>();
}

}  // namespace vendor
