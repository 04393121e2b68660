#include "platform/tidemark/condition_store.h"

#include <cstdio>
#include <cstring>

namespace tidemark {

namespace {

ConditionStore g_store(HKEY_LOCAL_MACHINE, kConditionKey);

}  // namespace

ConditionStore::ConditionStore(HKEY root, const char* keyPath) : root_(root), keyPath_(), usable_(false)
{
    if (keyPath && std::strlen(keyPath) < kMaxKeyPath) {
        std::strcpy(keyPath_, keyPath);
        usable_ = true;
    }
}

bool ConditionStore::KeyPathOf(Condition id, int driveIndex, char* out, size_t outSize) const
{
    if (!usable_)
        return false;
    if (!RuleOf(id).perDrive) {
        std::snprintf(out, outSize, "%s", keyPath_);
        return true;
    }
    if (driveIndex < 0 || driveIndex >= kDriveSlots)
        return false;
    int written = std::snprintf(out, outSize, "%s\\Drives\\%c", keyPath_, 'A' + driveIndex);
    return written > 0 && static_cast<size_t>(written) < outSize;
}

bool ConditionStore::Read(Condition id, int driveIndex, uint32_t* value) const
{
    char path[kMaxKeyPath + 16];
    if (!KeyPathOf(id, driveIndex, path, sizeof path))
        return false;
    HKEY key;
    if (::RegOpenKeyExA(root_, path, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return false;
    DWORD type = 0, data = 0, size = sizeof data;
    LONG status = ::RegQueryValueExA(key, RuleOf(id).valueName, nullptr, &type, reinterpret_cast<BYTE*>(&data),
                                     &size);
    ::RegCloseKey(key);
    if (status != ERROR_SUCCESS || type != REG_DWORD || size != sizeof data || !IsValidCondition(id, data))
        return false;
    *value = data;
    return true;
}

bool ConditionStore::Write(Condition id, int driveIndex, uint32_t value) const
{
    char path[kMaxKeyPath + 16];
    if (!KeyPathOf(id, driveIndex, path, sizeof path))
        return false;
    HKEY key;
    if (::RegCreateKeyExA(root_, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, &key,
                          nullptr) != ERROR_SUCCESS)
        return false;
    DWORD data = value;
    LONG status = ::RegSetValueExA(key, RuleOf(id).valueName, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data),
                                   sizeof data);
    ::RegCloseKey(key);
    return status == ERROR_SUCCESS;
}

const ConditionStore& ActiveConditionStore()
{
    return g_store;
}

void UseConditionStore(HKEY root, const char* keyPath)
{
    g_store = ConditionStore(root, keyPath);
}

void LoadConditions(WatchSectionLayout& section, const ConditionStore& store)
{
    int count = 0;
    const ConditionRule* rules = ConditionRules(&count);
    for (int i = 0; i < count; ++i) {
        const ConditionRule& rule = rules[i];
        const int drives = rule.perDrive ? kDriveSlots : 1;
        for (int drive = 0; drive < drives; ++drive) {
            uint32_t value = rule.defaultValue;
            store.Read(rule.id, drive, &value);
            StoreWord(*ConditionField(section, rule.id, drive), value);
        }
    }
}

}  // namespace tidemark
