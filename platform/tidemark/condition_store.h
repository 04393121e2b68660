// Where the monitoring conditions persist: REG_DWORD values under
// HKEY_LOCAL_MACHINE\SOFTWARE\Corvane\Lanternfish\Watcher, the per-drive ones
// in its subkeys "Drives\A" .. "Drives\Z" (value names: watch_conditions.cpp).
// A missing value, one of another type or size, or one outside its valid
// range reads as the condition's default.
#pragma once

#include <windows.h>

#include <cstdint>

#include "platform/tidemark/watch_conditions.h"
#include "platform/tidemark/watch_section.h"

namespace tidemark {

constexpr char kConditionKey[] = "SOFTWARE\\Corvane\\Lanternfish\\Watcher";

class ConditionStore {
public:
    // root\keyPath; a path of kMaxKeyPath bytes or more gives a store that
    // reads nothing and refuses every write.
    ConditionStore(HKEY root, const char* keyPath);

    // The stored value when it exists and is a valid REG_DWORD for the
    // condition; false otherwise. driveIndex 0..25 for per-drive conditions.
    bool Read(Condition id, int driveIndex, uint32_t* value) const;
    bool Write(Condition id, int driveIndex, uint32_t value) const;

    static constexpr size_t kMaxKeyPath = 200;

private:
    bool KeyPathOf(Condition id, int driveIndex, char* out, size_t outSize) const;

    HKEY root_;
    char keyPath_[kMaxKeyPath];
    bool usable_;
};

// The store that the members and the entry points use: the machine's key,
// unless a test has named another.
const ConditionStore& ActiveConditionStore();
void UseConditionStore(HKEY root, const char* keyPath);

// Every condition of the section from the store, defaults where it has none.
void LoadConditions(WatchSectionLayout& section, const ConditionStore& store);

}  // namespace tidemark
